// Reading 100 results out of an engine page, against the bare parse of the
// same page by the library underneath: libxml2's HTML parser for a 200 KiB
// result page, nlohmann-json for a JSON answer; then each shipped definition
// on the answer its test serves. Goal: at most twice the bare parse.
#include "DefinitionFile.h"
#include "PageReader.h"
#include "Xml.h"

#include <libxml/HTMLparser.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

constexpr int kResults = 100;
constexpr int kDefaultRounds = 1000;

// A result page padded to about 200 KiB the way engines pad theirs: scripts,
// navigation and snippets around the results.
std::string htmlPage() {
    std::string page = "<!DOCTYPE html><html><head><title>fox - Search</title>"
                       "<script>var config = {a: 1, b: [1, 2, 3]};</script></head><body>"
                       "<div id=total>About 1,234,567 results</div><ol class=results>";
    for (int i = 0; i < kResults; ++i) {
        const std::string n = std::to_string(i);
        page += "<li class=result><h3><a href=\"/url?u=https%3A%2F%2Fsite" + n +
                ".example%2Fpage%3Fid%3D" + n + "&amp;t=1\">The <b>fox</b> &amp; result " + n +
                "</a></h3><span class=date>Tue, 05 Mar 2024 10:20:30 GMT</span><p class=snippet>";
        for (int k = 0; k < 12; ++k)
            page += "Quick brown <em>fox</em> jumps over the lazy dog, result " + n + ". ";
        page += "</p><div class=links><a href=\"/cache/" + n + "\">Cached</a> <a href=\"/similar/" +
                n + "\">Similar</a></div></li>";
    }
    page += "</ol><div class=footer>";
    while (page.size() < 200 * 1024)
        page += "<a href=\"/help\">Help</a> <span>Privacy</span> <span>Terms</span> ";
    return page + "</div></body></html>";
}

std::string jsonPage() {
    std::string page = R"({"query":"fox","number_of_results":1234567,"results":[)";
    for (int i = 0; i < kResults; ++i) {
        const std::string n = std::to_string(i);
        if (i > 0)
            page += ",";
        page += R"({"url":"https://site)" + n + R"(.example/page?id=)" + n +
                R"(","title":"The fox &amp; result )" + n + R"(","content":")";
        for (int k = 0; k < 12; ++k)
            page += "Quick brown fox jumps over the lazy dog, result " + n + ". ";
        page += R"(","publishedDate":"2024-03-05T10:20:30","engine":"x","score":)" +
                std::to_string(1.0 + i % 7) + R"(,"category":"general"})";
    }
    return page + R"(],"answers":[],"suggestions":["fox den","fox news"]})";
}

double seconds(int rounds, const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reads the page as a run does and checks that every result came out.
void readAll(const qsearch::Definition& definition, const qsearch::Page& page) {
    qsearch::PageReader reader(definition, kResults);
    std::vector<qsearch::Result> results;
    std::int64_t total = 0;
    if (!reader.read(page, results, total) || results.size() != kResults || total != 1234567) {
        std::fprintf(stderr, "engine_parse: the page did not read (%zu results)\n", results.size());
        std::exit(1);
    }
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// One shipped definition on its answer: every result out, against the bare
// parse of the answer by the library its kind uses.
void shipped(const qsearch::DefinitionSet& set, int engine, const char* answer, int rounds) {
    const auto found = set.engines.find(engine);
    const std::string body = fileText(std::string(QSEARCH_ANSWERS_DIR) + "/" + answer);
    if (found == set.engines.end() || body.empty()) {
        std::fprintf(stderr, "engine_parse: no engine %d or no %s\n", engine, answer);
        std::exit(1);
    }
    const qsearch::Definition& definition = found->second;
    const qsearch::Page page{body, "", definition.url, 200};
    std::size_t count = 0;
    const double ours = seconds(rounds, [&] {
        qsearch::PageReader reader(definition, kResults);
        std::vector<qsearch::Result> results;
        std::int64_t total = 0;
        if (!reader.read(page, results, total) || results.empty())
            std::exit(1);
        count = results.size();
    });
    const double bare = seconds(rounds, [&] {
        if (definition.kind == qsearch::ResponseKind::Json) {
            if (nlohmann::json::parse(body, nullptr, false).is_discarded())
                std::exit(1);
        } else if (!(definition.kind == qsearch::ResponseKind::Feed
                         ? qsearch::parseXml(body, "")
                         : qsearch::parseHtml(body, ""))) {
            std::exit(1);
        }
    });
    std::printf("  %-15s %zu results of %5zu bytes: ours / bare parse = %.2f (goal <= 2)\n",
                definition.name.c_str(), count, body.size(), ours / bare);
}

} // namespace

// The number of rounds may be given (fewer for a quick look).
int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
    qsearch::silenceXml();

    qsearch::Definition html;
    html.kind = qsearch::ResponseKind::Html;
    html.fields = {"//li[@class='result']",
                   "string(h3/a)",
                   "string(h3/a/@href)",
                   "string(span[@class='date'])",
                   "",
                   "",
                   "string(//div[@id='total'])"};
    html.redirectParam = "u";
    qsearch::Page htmlpage{htmlPage(), "text/html; charset=utf-8", "https://engine.example/s?q=fox",
                           200};

    qsearch::Definition json;
    json.fields = {"results", "title", "url", "publishedDate", "", "score", "number_of_results"};
    qsearch::Page jsonpage{jsonPage(), "application/json", "https://engine.example/s?q=fox", 200};

    const double ourHtml = seconds(rounds, [&] { readAll(html, htmlpage); });
    const double bareHtml = seconds(rounds, [&] {
        qsearch::XmlDoc doc = qsearch::parseHtml(htmlpage.body, "UTF-8");
        if (!doc)
            std::exit(1);
    });
    const double ourJson = seconds(rounds, [&] { readAll(json, jsonpage); });
    const double bareJson = seconds(rounds, [&] {
        const nlohmann::json doc = nlohmann::json::parse(jsonpage.body, nullptr, false);
        if (doc.is_discarded())
            std::exit(1);
    });
    std::printf("engine_parse: %d results, %d rounds\n", kResults, rounds);
    std::printf("  HTML page of %zu KiB: ours / libxml2 parse alone      = %.2f (goal <= 2)\n",
                htmlpage.body.size() / 1024, ourHtml / bareHtml);
    std::printf("  JSON page of %zu KiB: ours / nlohmann-json parse alone = %.2f (goal <= 2)\n",
                jsonpage.body.size() / 1024, ourJson / bareJson);

    std::vector<qsearch::DefinitionMessage> messages;
    const qsearch::DefinitionSet set =
        qsearch::DefinitionFile::load(std::string(QSEARCH_SOURCE_DIR) + "/qsearch.json", messages);
    std::printf("shipped definitions, %d rounds each:\n", rounds * 10);
    shipped(set, 4, "wikipedia.json", rounds * 10);
    shipped(set, 9, "hackernews.json", rounds * 10);
    shipped(set, 10, "arxiv.xml", rounds * 10);
    shipped(set, 11, "crossref.json", rounds * 10);
    shipped(set, 12, "stackexchange.json", rounds * 10);
    shipped(set, 13, "github.json", rounds * 10);
    shipped(set, 14, "openlibrary.json", rounds * 10);
    shipped(set, 15, "duckduckgo.html", rounds * 10);
    return 0;
}
