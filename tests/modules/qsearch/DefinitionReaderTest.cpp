// The definitions file: what a definition holds once read, and that every
// mistake is found and reported on its own line, leaving the other engines
// usable.
#include "DefinitionReader.h"
#include "DefinitionFile.h"

#include <gtest/gtest.h>

namespace qsearch {
namespace {

bool hasMessage(const std::vector<DefinitionMessage>& messages, int line, const std::string& part) {
    for (const DefinitionMessage& message : messages) {
        if (message.line == line && message.text.find(part) != std::string::npos)
            return true;
    }
    return false;
}

TEST(DefinitionReader, ReadsEveryPartOfADefinition) {
    std::vector<DefinitionMessage> messages;
    const DefinitionSet set = DefinitionReader::read(R"json({
  "timeouts": { "connect": 5, "stall": 7, "total": 9 },
  "engines": {
    "2": {
      "name": "Rambler",
      "url": "https://e.example/s?q={query}&n={max}&p={page}&x={exclude}",
      "encoding": "windows-1251",
      "space": "%20",
      "modes": { "1": { "word": "+{w}" }, "3": { "whole": "'{q}'" } },
      "exclude": { "word": "~{w}", "join": "," },
      "paging": { "size": 20, "first_page": 0, "first_offset": 1 },
      "headers": { "Accept-Language": "ru" },
      "kind": "html",
      "page_encoding": "koi8-r",
      "fields": { "results": "//li", "title": "string(a)", "url": "string(a/@href)" },
      "redirect_param": "u",
      "group": "host",
      "score_scale": 50
    }
  }
})json",
                                                     messages);
    ASSERT_TRUE(messages.empty()) << messages.front().line << ": " << messages.front().text;
    EXPECT_EQ(set.connectTimeout, 5);
    EXPECT_EQ(set.stallTimeout, 7);
    EXPECT_EQ(set.totalTimeout, 9);
    ASSERT_EQ(set.engines.count(2), 1u);
    const Definition& def = set.engines.at(2);
    EXPECT_EQ(def.name, "Rambler");
    EXPECT_EQ(def.encoding, "windows-1251");
    EXPECT_EQ(def.space, "%20");
    EXPECT_EQ(def.modes[1].word, "+{w}");
    EXPECT_EQ(def.modes[1].join, " "); // unchanged parts keep their defaults
    EXPECT_EQ(def.modes[2].join, " OR ");
    EXPECT_EQ(def.modes[3].whole, "'{q}'");
    EXPECT_EQ(def.exclude.join, ",");
    EXPECT_EQ(def.pageSize, 20);
    EXPECT_EQ(def.firstPage, 0);
    EXPECT_EQ(def.firstOffset, 1);
    ASSERT_EQ(def.headers.size(), 1u);
    EXPECT_EQ(def.headers[0].second, "ru");
    EXPECT_EQ(def.kind, ResponseKind::Html);
    EXPECT_EQ(def.pageEncoding, "koi8-r");
    EXPECT_EQ(def.fields.results, "//li");
    EXPECT_EQ(def.redirectParam, "u");
    EXPECT_TRUE(def.groupByHost);
    EXPECT_EQ(def.scoreScale, 50);
}

TEST(DefinitionReader, ReportsEachMistakeOnItsLineAndKeepsTheGoodEngines) {
    std::vector<DefinitionMessage> messages;
    const DefinitionSet set = DefinitionReader::read(R"json({
  "engines": {
    "1": {
      "urll": "https://a.example/?q={query}",
      "fields": { "results": "r", "title": "t", "url": "u" }
    },
    "3": {
      "url": "https://b.example/?q={query}&p={pgae}",
      "kind": "html",
      "fields": { "results": "//div[", "title": "string(.)", "url": "string(@href)" }
    },
    "5": {
      "url": "https://c.example/?q={query",
      "encoding": "no-such-charset",
      "kind": "xml",
      "paging": { "size": 0 },
      "fields": { "results": "a..b", "title": "t", "url": "u" }
    },
    "6": {
      "url": "https://d.example/?q={query}",
      "fields": { "results": "results", "title": "title", "url": "url" }
    },
    "x": {}
  },
  "colour": "blue"
})json",
                                                     messages);
    EXPECT_TRUE(hasMessage(messages, 4, "unknown key \"urll\"")) << messages.size();
    EXPECT_TRUE(hasMessage(messages, 3, "has no \"url\""));
    EXPECT_TRUE(hasMessage(messages, 8, "{pgae}"));
    EXPECT_TRUE(hasMessage(messages, 10, "not a valid XPath"));
    EXPECT_TRUE(hasMessage(messages, 13, "without its"));
    EXPECT_TRUE(hasMessage(messages, 14, "unknown charset"));
    EXPECT_TRUE(hasMessage(messages, 15, "\"kind\""));
    EXPECT_TRUE(hasMessage(messages, 16, "\"size\""));
    EXPECT_TRUE(hasMessage(messages, 17, "empty step"));
    EXPECT_TRUE(hasMessage(messages, 23, "not an engine number"));
    EXPECT_TRUE(hasMessage(messages, 25, "unknown key \"colour\""));
    EXPECT_EQ(set.broken, (std::set<int>{1, 3, 5}));
    EXPECT_EQ(set.engines.size(), 1u);
    EXPECT_EQ(set.engines.count(6), 1u);
    EXPECT_FALSE(set.fileBroken);
}

TEST(DefinitionReader, ATextThatIsNotJsonBreaksTheWholeFileWithItsLine) {
    std::vector<DefinitionMessage> messages;
    const DefinitionSet set =
        DefinitionReader::read("{\n  \"engines\": {\n    \"1\": ,\n", messages);
    EXPECT_TRUE(set.fileBroken);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("line 3"), std::string::npos) << messages[0].text;

    messages.clear();
    EXPECT_TRUE(DefinitionReader::read("[1, 2]", messages).fileBroken);
    messages.clear();
    EXPECT_TRUE(
        DefinitionReader::read(std::string(100, '[') + std::string(100, ']'), messages).fileBroken);
    EXPECT_NE(messages.at(0).text.find("nested"), std::string::npos);
}

TEST(DefinitionReader, TheShippedFileAndTheReadmeExamplesReadCleanly) {
    for (const char* name : {"qsearch.json", "examples/searxng-json.json",
                             "examples/opensearch-feed.json", "examples/html-xpath.json"}) {
        const std::string path = std::string(QSEARCH_SOURCE_DIR) + "/" + name;
        std::string text;
        ASSERT_TRUE(DefinitionFile::readText(path, text)) << path;
        std::vector<DefinitionMessage> messages;
        const DefinitionSet set = DefinitionReader::read(text, messages);
        EXPECT_TRUE(messages.empty())
            << name << ":" << messages.front().line << ": " << messages.front().text;
        EXPECT_FALSE(set.engines.empty()) << name;
    }
}

} // namespace
} // namespace qsearch
