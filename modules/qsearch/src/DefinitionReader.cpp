#include "DefinitionReader.h"

#include "JsonTree.h"
#include "Recoder.h"
#include "Template.h"
#include "Xml.h"

#include <algorithm>
#include <cmath>

namespace qsearch {

namespace {

using nlohmann::json;

constexpr int kLastEngine = 16;

// Collects the errors of one read, each on the line of the value it concerns.
class Checker {
public:
    Checker(const std::map<std::string, int>& lines, std::vector<DefinitionMessage>& messages)
        : lines_(lines), messages_(messages) {}

    void error(const std::string& pointer, const std::string& text) {
        const auto line = lines_.find(pointer);
        messages_.push_back({line == lines_.end() ? 0 : line->second, text});
        ++errors_;
    }
    int errors() const { return errors_; }

    // Reports every key of the object that is not one of the known ones.
    void keys(const json& object, const std::string& pointer, const std::string& where,
              std::initializer_list<std::string_view> known) {
        for (const auto& [key, value] : object.items()) {
            if (std::find(known.begin(), known.end(), key) == known.end())
                error(pointer + "/" + key, "unknown key \"" + key + "\" in " + where);
        }
    }

    bool text(const json& object, const std::string& pointer, const char* key, std::string& out) {
        const auto it = object.find(key);
        if (it == object.end())
            return false;
        if (!it->is_string()) {
            error(pointer + "/" + key, std::string("\"") + key + "\" must be a text");
            return false;
        }
        out = it->get_ref<const std::string&>();
        return true;
    }

    bool integer(const json& object, const std::string& pointer, const char* key, long low,
                 long high, long& out) {
        const auto it = object.find(key);
        if (it == object.end())
            return false;
        if (!it->is_number_integer() || it->get<long long>() < low || it->get<long long>() > high) {
            error(pointer + "/" + key, std::string("\"") + key + "\" must be a whole number from " +
                                           std::to_string(low) + " to " + std::to_string(high));
            return false;
        }
        out = static_cast<long>(it->get<long long>());
        return true;
    }

    const json* object(const json& parent, const std::string& pointer, const char* key) {
        const auto it = parent.find(key);
        if (it == parent.end())
            return nullptr;
        if (!it->is_object()) {
            error(pointer + "/" + key, std::string("\"") + key + "\" must be an object");
            return nullptr;
        }
        return &*it;
    }

private:
    const std::map<std::string, int>& lines_;
    std::vector<DefinitionMessage>& messages_;
    int errors_ = 0;
};

void readWordRule(Checker& check, const json& object, const std::string& pointer,
                  const std::string& where, WordRule& rule) {
    check.keys(object, pointer, where, {"word", "join", "whole"});
    if (check.text(object, pointer, "word", rule.word)) {
        const std::string wrong = Template::check(rule.word, {"w"});
        if (!wrong.empty() || rule.word.find("{w}") == std::string::npos)
            check.error(pointer + "/word",
                        "\"word\" of " + where + " must hold {w} and nothing else in braces");
    }
    check.text(object, pointer, "join", rule.join);
    if (check.text(object, pointer, "whole", rule.whole)) {
        const std::string wrong = Template::check(rule.whole, {"q"});
        if (!wrong.empty() || rule.whole.find("{q}") == std::string::npos)
            check.error(pointer + "/whole",
                        "\"whole\" of " + where + " must hold {q} and nothing else in braces");
    }
}

void readCharset(Checker& check, const json& object, const std::string& pointer, const char* key,
                 std::string& out) {
    if (check.text(object, pointer, key, out) && !out.empty() && !Recoder::known(out))
        check.error(pointer + "/" + key, "unknown charset \"" + out + "\"");
}

void readFields(Checker& check, const json& object, const std::string& pointer, ResponseKind kind,
                FieldRules& fields) {
    check.keys(object, pointer, "\"fields\"",
               {"results", "title", "url", "date", "size", "score", "total"});
    const std::pair<const char*, std::string*> all[] = {
        {"results", &fields.results}, {"title", &fields.title}, {"url", &fields.url},
        {"date", &fields.date},       {"size", &fields.size},   {"score", &fields.score},
        {"total", &fields.total}};
    for (const auto& [key, field] : all) {
        if (!check.text(object, pointer, key, *field))
            continue;
        if (kind == ResponseKind::Json) {
            const std::string& path = *field;
            if (path.front() == '.' || path.back() == '.' || path.find("..") != std::string::npos)
                check.error(pointer + "/" + key, "path \"" + path + "\" has an empty step");
        } else if (!field->empty() && !compileXPath(*field)) {
            check.error(pointer + "/" + key, "\"" + *field + "\" is not a valid XPath expression");
        }
    }
}

// An address template: only the allowed placeholders, the required one among
// them, an http or https address. False when the key is absent.
bool readAddress(Checker& check, const json& object, const std::string& pointer, const char* key,
                 const std::string& where, std::initializer_list<std::string_view> allowed,
                 const std::string& required, std::string& out) {
    if (!check.text(object, pointer, key, out))
        return false;
    const std::string at = pointer + "/" + key;
    const std::string what = std::string("\"") + key + "\" of " + where;
    const std::string wrong = Template::check(out, allowed);
    if (!wrong.empty())
        check.error(at, what + ": " + wrong);
    else if (out.find("{" + required + "}") == std::string::npos)
        check.error(at, what + " has no {" + required + "}");
    else if (out.rfind("http://", 0) != 0 && out.rfind("https://", 0) != 0)
        check.error(at, what + " must start with http:// or https://");
    return true;
}

void readEngine(Checker& check, const json& object, const std::string& pointer, Definition& def) {
    const std::string where = "engine " + std::to_string(def.engine);
    check.keys(object, pointer, where,
               {"name", "url", "encoding", "space", "modes", "exclude", "paging", "headers", "kind",
                "page_encoding", "fields", "url_template", "redirect_param", "group",
                "score_scale"});
    check.text(object, pointer, "name", def.name);
    if (!readAddress(check, object, pointer, "url", where,
                     {"query", "max", "page", "offset", "exclude"}, "query", def.url))
        check.error(pointer, where + " has no \"url\"");
    readCharset(check, object, pointer, "encoding", def.encoding);
    readCharset(check, object, pointer, "page_encoding", def.pageEncoding);
    check.text(object, pointer, "space", def.space);
    if (const json* modes = check.object(object, pointer, "modes")) {
        check.keys(*modes, pointer + "/modes", "\"modes\"", {"0", "1", "2", "3"});
        for (int mode = 0; mode < 4; ++mode) {
            const std::string key = std::to_string(mode);
            if (const json* rule = check.object(*modes, pointer + "/modes", key.c_str()))
                readWordRule(check, *rule, pointer + "/modes/" + key, "mode " + key,
                             def.modes[mode]);
        }
    }
    if (const json* rule = check.object(object, pointer, "exclude"))
        readWordRule(check, *rule, pointer + "/exclude", "\"exclude\"", def.exclude);
    if (const json* paging = check.object(object, pointer, "paging")) {
        check.keys(*paging, pointer + "/paging", "\"paging\"",
                   {"size", "first_page", "first_offset"});
        long value = 0;
        if (check.integer(*paging, pointer + "/paging", "size", 1, 1000, value))
            def.pageSize = static_cast<int>(value);
        if (check.integer(*paging, pointer + "/paging", "first_page", 0, 1000, value))
            def.firstPage = static_cast<int>(value);
        if (check.integer(*paging, pointer + "/paging", "first_offset", 0, 1000, value))
            def.firstOffset = static_cast<int>(value);
    }
    if (const json* headers = check.object(object, pointer, "headers")) {
        for (const auto& [key, value] : headers->items()) {
            const bool clean = key.find_first_of(":\r\n") == std::string::npos && !key.empty();
            if (!value.is_string() || !clean ||
                value.get_ref<const std::string&>().find_first_of("\r\n") != std::string::npos)
                check.error(pointer + "/headers/" + key,
                            "header \"" + key + "\" must be a one-line text");
            else
                def.headers.emplace_back(key, value.get<std::string>());
        }
    }
    std::string kind = "json";
    check.text(object, pointer, "kind", kind);
    if (kind == "json")
        def.kind = ResponseKind::Json;
    else if (kind == "html")
        def.kind = ResponseKind::Html;
    else if (kind == "feed")
        def.kind = ResponseKind::Feed;
    else
        check.error(pointer + "/kind", "\"kind\" must be \"json\", \"html\" or \"feed\"");
    if (const json* fields = check.object(object, pointer, "fields"))
        readFields(check, *fields, pointer + "/fields", def.kind, def.fields);
    if (def.kind != ResponseKind::Feed &&
        (def.fields.results.empty() || def.fields.title.empty() || def.fields.url.empty()))
        check.error(pointer, where + " needs \"fields\" with \"results\", \"title\" and \"url\"");
    readAddress(check, object, pointer, "url_template", where, {"url"}, "url", def.urlTemplate);
    check.text(object, pointer, "redirect_param", def.redirectParam);
    std::string group = "none";
    if (check.text(object, pointer, "group", group)) {
        if (group != "host" && group != "none")
            check.error(pointer + "/group", "\"group\" must be \"host\" or \"none\"");
        def.groupByHost = group == "host";
    }
    if (const auto it = object.find("score_scale"); it != object.end()) {
        if (!it->is_number() || !std::isfinite(it->get<double>()) || it->get<double>() <= 0)
            check.error(pointer + "/score_scale", "\"score_scale\" must be a positive number");
        else
            def.scoreScale = it->get<double>();
    }
}

bool engineNumber(const std::string& key, int& number) {
    if (key.empty() || key.size() > 2 ||
        !std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    number = std::stoi(key);
    return number <= kLastEngine;
}

} // namespace

DefinitionSet DefinitionReader::read(std::string_view text,
                                     std::vector<DefinitionMessage>& messages) {
    DefinitionSet set;
    json root;
    std::map<std::string, int> lines;
    std::string error;
    if (!JsonTree::parse(text, root, &error, &lines)) {
        messages.push_back({0, error});
        set.fileBroken = true;
        return set;
    }
    Checker check(lines, messages);
    if (!root.is_object()) {
        check.error("", "the file must hold one object");
        set.fileBroken = true;
        return set;
    }
    check.keys(root, "", "the file", {"engines", "timeouts"});
    if (const json* timeouts = check.object(root, "", "timeouts")) {
        check.keys(*timeouts, "/timeouts", "\"timeouts\"", {"connect", "stall", "total"});
        check.integer(*timeouts, "/timeouts", "connect", 1, 600, set.connectTimeout);
        check.integer(*timeouts, "/timeouts", "stall", 1, 600, set.stallTimeout);
        check.integer(*timeouts, "/timeouts", "total", 1, 3600, set.totalTimeout);
    }
    const json* engines = check.object(root, "", "engines");
    if (!engines)
        return set;
    for (const auto& [key, value] : engines->items()) {
        const std::string pointer = "/engines/" + key;
        int number = 0;
        if (!engineNumber(key, number)) {
            check.error(pointer, "\"" + key + "\" is not an engine number (0 to 16)");
            continue;
        }
        if (!value.is_object()) {
            check.error(pointer, "engine " + key + " must be an object");
            set.broken.insert(number);
            continue;
        }
        Definition def;
        def.engine = number;
        const int before = check.errors();
        readEngine(check, value, pointer, def);
        if (check.errors() != before)
            set.broken.insert(number);
        else
            set.engines.emplace(number, std::move(def));
    }
    return set;
}

} // namespace qsearch
