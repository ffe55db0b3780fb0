#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace qsearch {

// What an engine answers with, and so how its pages are read.
enum class ResponseKind { Json, Html, Feed };

// How a query mode (or the exclusion words) is written: each word through
// `word` ("{w}" stands for the word), joined by `join`, the whole through
// `whole` ("{q}" stands for the joined words).
struct WordRule {
    std::string word = "{w}";
    std::string join = " ";
    std::string whole = "{q}";
};

// Where the fields of a result are: dotted paths for json, XPath expressions
// for html and feed. `results` selects one entry per result; the field rules
// are taken relative to it, `total` relative to the whole page. Empty: none.
struct FieldRules {
    std::string results;
    std::string title;
    std::string url;
    std::string date;
    std::string size;
    std::string score;
    std::string total;
};

// One engine as the definitions file describes it.
struct Definition {
    int engine = 0;
    std::string name;
    // The request address with {query}, {max}, {page}, {offset}, {exclude}.
    std::string url;
    // The charset the query is sent in; empty means UTF-8.
    std::string encoding;
    // How a blank of the query is written in the address.
    std::string space = "+";
    // Query modes 0 as typed, 1 all words, 2 any word, 3 exact phrase.
    WordRule modes[4] = {{}, {}, {"{w}", " OR ", "{q}"}, {"{w}", " ", "\"{q}\""}};
    WordRule exclude = {"-{w}", " ", "{q}"};
    // Results per page, the number of the first page and the offset of the
    // first result ({page} and {offset} of the first request).
    int pageSize = 10;
    int firstPage = 1;
    int firstOffset = 0;
    std::vector<std::pair<std::string, std::string>> headers;
    ResponseKind kind = ResponseKind::Json;
    // The charset of pages that do not declare one; empty: as the page says.
    std::string pageEncoding;
    FieldRules fields;
    // The result's address made of the "url" field's value ({url}, its bytes
    // percent-encoded but "/" kept), for answers that give a name or a path
    // rather than an address; empty when the field is the address.
    std::string urlTemplate;
    // The query parameter that carries the target of an engine's redirector
    // links; empty when the engine links directly.
    std::string redirectParam;
    // Results of one page that share a host go under a heading of that host.
    bool groupByHost = false;
    // Fitness of a result with a score: the score times this, capped.
    double scoreScale = 1000.0;
};

// The whole definitions file.
struct DefinitionSet {
    std::map<int, Definition> engines;
    // Engines whose definition has an error: they answer "broken definition"
    // rather than "no definition".
    std::set<int> broken;
    // The file is there but not readable as a whole: every engine is broken.
    bool fileBroken = false;
    // Seconds: connecting, a transfer that stalls, and a transfer as a whole
    // (an engine that trickles its answer never stalls).
    long connectTimeout = 30;
    long stallTimeout = 60;
    long totalTimeout = 120;
};

} // namespace qsearch
