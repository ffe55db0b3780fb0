// The definitions shipped in qsearch.json, each through qsearch.so against an
// answer shaped as its service documents it (answers/), served from a local
// server that stands in for the service's host: what a user who ticks the
// shipped engines gets.
#include "HttpTestServer.h"
#include "SearchBlock.h"
#include "TempDir.h"

#include "qsearch/WebSearch.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <zlib.h>

#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <sys/stat.h>

namespace qsearch {
namespace {

using qx::test::HttpTestServer;

struct Found {
    std::string title;
    std::string url;
    std::string date; // YYYY-MM-DD, empty when undated
};

struct Answer {
    std::int32_t code = 0;
    std::int32_t total = -1;
    std::vector<Found> results;
    std::vector<std::uint16_t> fitness;
};

std::int32_t collect(const WSearchItem* item, void* context) {
    auto* run = static_cast<Answer*>(context);
    if (std::string(item->level).empty()) {
        run->total = item->size;
        return 1;
    }
    char date[32] = "";
    if (item->date)
        std::snprintf(date, sizeof date, "%04u-%02u-%02u", item->date->year, item->date->month,
                      item->date->day);
    run->results.push_back({item->title ? item->title : "", item->url ? item->url : "", date});
    run->fitness.push_back(item->fitness);
    return 1;
}

std::string answer(const std::string& name) {
    return qx::test::TempDir::read(std::string(QSEARCH_ANSWERS_DIR) + "/" + name);
}

std::string gzipped(const std::string& bytes) {
    z_stream stream{};
    // 16 + the window bits: a gzip wrapper rather than zlib's own.
    EXPECT_EQ(deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8,
                           Z_DEFAULT_STRATEGY),
              Z_OK);
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

class ShippedEngines : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* folder = std::getenv("QX_PROGRAM_DIR");
        ASSERT_NE(folder, nullptr);
        handle_ = dlopen((std::string(folder) + "/qsearch.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        search_ = reinterpret_cast<WebSearchFunction>(dlsym(handle_, WSEARCH_ENTRY_NAME));
        engines_ = reinterpret_cast<WebSearchEnginesFunction>(dlsym(handle_, WSEARCH_ENGINES_NAME));
    }
    static void TearDownTestSuite() {
        if (handle_)
            dlclose(handle_);
        handle_ = nullptr;
    }

    // The shipped file with every address's scheme and host turned into the
    // local server's, laid over the shipped one as the user's file.
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
        mkdir(config_.file("qxseek").c_str(), 0700);
        nlohmann::json shipped = nlohmann::json::parse(
            qx::test::TempDir::read(std::string(QSEARCH_SOURCE_DIR) + "/qsearch.json"));
        for (auto& [number, engine] : shipped["engines"].items()) {
            std::string url = engine["url"];
            const std::size_t path = url.find('/', url.find("://") + 3);
            engine["url"] = server_.url(url.substr(path));
        }
        config_.write("qxseek/qsearch.json", shipped.dump(2));
    }

    Answer run(int engine, const std::string& query, int max = 10, int mode = 0,
               const std::string& exclude = "") {
        Answer out;
        WSearchParam param = test::searchBlock(engine, query, max, mode, exclude);
        param.result = collect;
        param.resultContext = &out;
        out.code = search_(&param);
        return out;
    }

    // The engines the module says it defines, by number.
    static std::map<int, std::string> definedNames() {
        WSearchEngineInfo records[16] = {};
        const int count = engines_(records, 16);
        std::map<int, std::string> names;
        for (int i = 0; i < std::min(count, 16); ++i)
            names[records[i].engine] = records[i].name;
        return names;
    }

    HttpTestServer::Request onlyRequest() const {
        const auto requests = server_.requests();
        EXPECT_EQ(requests.size(), 1u);
        return requests.empty() ? HttpTestServer::Request() : requests.back();
    }

    static void expectResults(const Answer& run, std::int32_t total,
                              const std::vector<Found>& expected) {
        EXPECT_EQ(run.code, WSEARCH_OK);
        EXPECT_EQ(run.total, total);
        ASSERT_EQ(run.results.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(run.results[i].title, expected[i].title) << i;
            EXPECT_EQ(run.results[i].url, expected[i].url) << i;
            EXPECT_EQ(run.results[i].date, expected[i].date) << i;
        }
    }

    static inline void* handle_ = nullptr;
    static inline WebSearchFunction search_ = nullptr;
    static inline WebSearchEnginesFunction engines_ = nullptr;
    qx::test::TempDir config_;
    HttpTestServer server_;
};

TEST_F(ShippedEngines, TheModuleNamesTheShippedEnginesInTheFreePositions) {
    ASSERT_NE(engines_, nullptr);
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", config_.path().c_str(), 1); // no file of the user's
    const std::map<int, std::string> names = definedNames();
    EXPECT_EQ(names, (std::map<int, std::string>{{4, "Wikipedia"},
                                                 {6, "Yahoo"},
                                                 {9, "Hacker News"},
                                                 {10, "arXiv"},
                                                 {11, "Crossref"},
                                                 {12, "Stack Overflow"},
                                                 {13, "GitHub"},
                                                 {14, "Open Library"},
                                                 {15, "DuckDuckGo"}}));
    WSearchEngineInfo records[2] = {};
    EXPECT_EQ(engines_(nullptr, 0), static_cast<int>(names.size()));
    EXPECT_EQ(engines_(records, 2), static_cast<int>(names.size())); // more than fit
}

TEST_F(ShippedEngines, AUsersEntryReplacesOnlyItsOwnEngine) {
    config_.write("qxseek/qsearch.json",
                  R"json({"engines": {
                    "1": {"name": "Mine", "url": "https://mine.example/?q={query}", "kind": "feed"},
                    "9": {"name": "HN (mine)", "url": "https://x.example/?q={query}", "kind": "feed"}}})json");
    std::map<int, std::string> names = definedNames();
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(names[1], "Mine");
    EXPECT_EQ(names[9], "HN (mine)");
    EXPECT_EQ(names[4], "Wikipedia");
    EXPECT_EQ(names[15], "DuckDuckGo");
}

TEST_F(ShippedEngines, Wikipedia) {
    server_.on("/w/api.php",
               HttpTestServer::Reply{
                   200, {}, answer("wikipedia.json"), "application/json; charset=utf-8"});
    expectResults(run(4, "red fox", 3), 4127,
                  {{"Red fox", "https://en.wikipedia.org/wiki/Red%20fox", "2024-11-02"},
                   {"Fox & Hounds (pub)",
                    "https://en.wikipedia.org/wiki/Fox%20%26%20Hounds%20%28pub%29", "2023-06-19"},
                   {"Fennec fox", "https://en.wikipedia.org/wiki/Fennec%20fox", "2024-09-30"}});
    const std::string target = onlyRequest().target;
    EXPECT_NE(target.find("list=search&srsearch=red+fox&srlimit=3&sroffset=0"), std::string::npos)
        << target;
}

TEST_F(ShippedEngines, HackerNews) {
    server_.on("/api/v1/search",
               HttpTestServer::Reply{200, {}, answer("hackernews.json"), "application/json"});
    // The Ask HN story links nowhere but to itself: it is left out.
    expectResults(run(9, "fox", 20), 1873,
                  {{"The fox project", "https://fox.example.org/", "2024-02-24"},
                   {"Show HN: A fox in Rust", "https://github.com/example/fox-rs", "2023-08-01"}});
    const std::string target = onlyRequest().target;
    EXPECT_NE(target.find("query=fox&tags=story&page=0&hitsPerPage=20"), std::string::npos)
        << target;
}

TEST_F(ShippedEngines, ArXiv) {
    server_.on("/api/query",
               HttpTestServer::Reply{200, {}, answer("arxiv.xml"), "application/atom+xml"});
    expectResults(run(10, "red fox", 50, 0, "dog"), 312,
                  {{"Foraging Strategies of the Red Fox in Urban Settings",
                    "http://arxiv.org/abs/2401.01234v2", "2024-01-03"},
                   {"The FOX Estimator: $\\alpha$-Stable Noise",
                    "http://arxiv.org/abs/2312.09876v1", "2023-12-15"}});
    const std::string target = onlyRequest().target;
    EXPECT_NE(target.find("search_query=all%3Ared+AND+all%3Afox+ANDNOT+all%3Adog&start=0&"
                          "max_results=50"),
              std::string::npos)
        << target;
}

TEST_F(ShippedEngines, Crossref) {
    server_.on("/works", HttpTestServer::Reply{
                             200, {}, answer("crossref.json"), "application/json;charset=utf-8"});
    const Answer found = run(11, "fox", 20);
    expectResults(found, 20571,
                  {{"Diet of the red fox Vulpes vulpes in suburbs",
                    "https://doi.org/10.1111/j.1469-7998.2009.00001.x", "2009-05-14"},
                   {"Arctic foxes & climate", "https://doi.org/10.5555/fox.2021.7", "2021-02-01"}});
    EXPECT_EQ(found.fitness, (std::vector<std::uint16_t>{4127, 3390}));
}

TEST_F(ShippedEngines, StackOverflowAnswersGzipCompressed) {
    server_.on("/2.3/search/advanced", HttpTestServer::Reply{200,
                                                             {{"Content-Encoding", "gzip"}},
                                                             gzipped(answer("stackexchange.json")),
                                                             "application/json; charset=utf-8"});
    // No hit count in the default answer: the first page's results stand in.
    expectResults(
        run(12, "fox", 50), 2,
        {{"Why does the \"fox\" jump over the lazy dog?",
          "https://stackoverflow.com/questions/12345/why-does-the-fox-jump", "2012-10-12"},
         {"Fox in a list & a dict", "https://stackoverflow.com/questions/78000001/fox-in-a-list",
          "2024-03-09"}});
    const HttpTestServer::Request request = onlyRequest();
    EXPECT_NE(request.target.find("site=stackoverflow&page=1&pagesize=50"), std::string::npos);
    EXPECT_NE(request.header("Accept-Encoding").find("gzip"), std::string::npos);
}

TEST_F(ShippedEngines, GitHubRepositories) {
    server_.on("/search/repositories",
               HttpTestServer::Reply{200, {}, answer("github.json"), "application/json"});
    expectResults(
        run(13, "fox", 30), 2711,
        {{"vulpes/fox", "https://github.com/vulpes/fox", "2024-04-05"},
         {"reynard/firefox-tools", "https://github.com/reynard/firefox-tools", "2023-10-10"}});
    const HttpTestServer::Request request = onlyRequest();
    EXPECT_EQ(request.header("Accept"), "application/vnd.github+json");
    EXPECT_EQ(request.header("X-GitHub-Api-Version"), "2022-11-28");
    // The agent names the program and where to read about it, as the API asks.
    EXPECT_EQ(request.header("User-Agent").rfind("qxseek/", 0), 0u);
}

TEST_F(ShippedEngines, OpenLibrary) {
    server_.on("/search.json",
               HttpTestServer::Reply{200, {}, answer("openlibrary.json"), "application/json"});
    expectResults(run(14, "fox", 10), 214,
                  {{"Fantastic Mr Fox", "https://openlibrary.org/works/OL45804W", ""},
                   {"Possum Magic", "https://openlibrary.org/works/OL1985452W", ""},
                   {"The Fox and the Hound", "https://openlibrary.org/works/OL99W", ""}});
}

TEST_F(ShippedEngines, DuckDuckGoHtmlWithItsRedirectorLinksUnwrapped) {
    server_.on("/html/", HttpTestServer::Reply{200, {}, answer("duckduckgo.html"), "text/html"});
    expectResults(run(15, "fox", 10), 2,
                  {{"Red fox - Wikipedia", "https://en.wikipedia.org/wiki/Red_fox", ""},
                   {"Fox News & Weather", "https://www.fox.example/news?a=1&b=2", ""}});
}

TEST_F(ShippedEngines, ARateLimitEndsTheEngineWithItsOwnCode) {
    server_.on("/search/repositories",
               HttpTestServer::Reply{429, {{"Retry-After", "60"}}, "{}", "application/json"});
    const Answer limited = run(13, "fox");
    EXPECT_EQ(limited.code, WSEARCH_RATE_LIMITED);
    EXPECT_TRUE(limited.results.empty());
}

} // namespace
} // namespace qsearch
