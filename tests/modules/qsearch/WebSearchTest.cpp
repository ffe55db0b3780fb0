// qsearch.so as the program loads it, against a local engine server: each
// kind of engine, paging, hit counts, query modes and charsets on the wire,
// links, titles and dates as they come out, grouping, stopping, time-outs,
// failures and wrong definitions.
#include "HttpTestServer.h"
#include "RawSocketServer.h"
#include "SearchBlock.h"
#include "TempDir.h"

#include "platform/Event.h"
#include "qsearch/WebSearch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/stat.h>
#include <thread>

namespace qsearch {
namespace {

using qx::test::HttpTestServer;
using Reply = HttpTestServer::Reply;
using Request = HttpTestServer::Request;

struct Item {
    int level = 0;
    std::string title;
    std::string url;
    bool dated = false;
    WSearchDate date{};
    std::string charset;
    std::int32_t size = 0;
    std::uint16_t fitness = 0;
};

struct Outcome {
    std::int32_t code = 0;
    std::vector<Item> items;
    std::vector<std::uint32_t> statuses;
    // Items the callback accepts before it answers "stopped"; -1: all.
    int acceptLimit = -1;
    std::chrono::milliseconds took{0};

    std::vector<Item> results() const {
        std::vector<Item> out;
        for (const Item& item : items)
            if (item.level > 0 && !item.url.empty())
                out.push_back(item);
        return out;
    }
};

std::int32_t onItem(const WSearchItem* item, void* context) {
    auto* outcome = static_cast<Outcome*>(context);
    if (outcome->acceptLimit >= 0 &&
        static_cast<int>(outcome->items.size()) >= outcome->acceptLimit)
        return 0;
    Item copy;
    copy.level = static_cast<int>(
        std::string(item->level).find_first_not_of(':') == 0 ? 0 : std::string(item->level).size());
    copy.title = item->title ? item->title : "";
    copy.url = item->url ? item->url : "";
    copy.dated = item->date != nullptr;
    if (item->date)
        copy.date = *item->date;
    copy.charset = item->charset ? item->charset : "";
    copy.size = item->size;
    copy.fitness = item->fitness;
    outcome->items.push_back(copy);
    return 1;
}

void onStatus(void* context, std::uint32_t status, const void*, std::uint32_t) {
    static_cast<Outcome*>(context)->statuses.push_back(status);
}

class WebSearchModule : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* folder = std::getenv("QX_PROGRAM_DIR");
        ASSERT_NE(folder, nullptr) << "QX_PROGRAM_DIR names the program folder";
        handle_ = dlopen((std::string(folder) + "/qsearch.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        search_ = reinterpret_cast<WebSearchFunction>(dlsym(handle_, WSEARCH_ENTRY_NAME));
        version_ =
            reinterpret_cast<WebSearchAbiVersionFunction>(dlsym(handle_, WSEARCH_ABI_VERSION_NAME));
    }
    static void TearDownTestSuite() {
        if (handle_)
            dlclose(handle_);
        handle_ = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(search_, nullptr);
        setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
        mkdir(config_.file("qxseek").c_str(), 0700);
    }

    // The user's definitions file, with the server's address for {server}.
    void define(std::string json) {
        const std::string key = "{server}";
        for (std::size_t at; (at = json.find(key)) != std::string::npos;)
            json.replace(at, key.size(), server_.url(""));
        config_.write("qxseek/qsearch.json", json);
    }

    Outcome run(int engine, const std::string& query, int max, int mode = 0,
                const std::string& exclude = "", const qx::platform::Event* stop = nullptr,
                int acceptLimit = -1) {
        Outcome outcome;
        outcome.acceptLimit = acceptLimit;
        WSearchParam param = test::searchBlock(engine, query, max, mode, exclude);
        param.result = onItem;
        param.resultContext = &outcome;
        param.status = onStatus;
        param.statusContext = &outcome;
        param.stopEvent = stop ? stop->fd() : -1;
        const auto start = std::chrono::steady_clock::now();
        outcome.code = search_(&param);
        outcome.took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        return outcome;
    }

    // A run of engine 1 whose stop event is set after ms milliseconds.
    Outcome runStoppedAfter(int ms, qx::platform::Event& stop) {
        std::thread stopper([&stop, ms] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            stop.set();
        });
        Outcome outcome = run(1, "q", 10, 0, "", &stop);
        stopper.join();
        return outcome;
    }

    // The query parameter of a request target.
    static std::string param(const Request& request, const std::string& name) {
        const std::string& target = request.target;
        const std::size_t at = target.find(name + "=");
        if (at == std::string::npos)
            return "<none>";
        const std::size_t start = at + name.size() + 1;
        return target.substr(start, target.find('&', start) - start);
    }

    static inline void* handle_ = nullptr;
    static inline WebSearchFunction search_ = nullptr;
    static inline WebSearchAbiVersionFunction version_ = nullptr;
    qx::test::TempDir config_;
    HttpTestServer server_;
};

// A SearXNG-shaped answer: results 'first' .. 'first + count - 1'.
std::string searxPage(int first, int count, int total) {
    std::string body =
        R"({"query":"q","number_of_results":)" + std::to_string(total) + R"(,"results":[)";
    for (int i = first; i < first + count; ++i) {
        if (i > first)
            body += ",";
        body += R"({"title":"Result )" + std::to_string(i) + R"( &amp; more","url":"http://r)" +
                std::to_string(i) + R"(.example/","publishedDate":"2024-02-0)" +
                std::to_string(1 + i % 9) + R"(T12:00:00","score":)" + std::to_string(i % 3) +
                ".5}";
    }
    return body + "]}";
}

const char* kSearx = R"json({"timeouts": {"connect": 2, "stall": 1}, "engines": {"1": {
  "url": "{server}/search?q={query}&format=json&pageno={page}",
  "paging": {"size": 10},
  "kind": "json",
  "fields": {"results": "results", "title": "title", "url": "url", "date": "publishedDate",
             "score": "score", "total": "number_of_results"},
  "score_scale": 1000}}})json";

TEST_F(WebSearchModule, AnswersItsAbiVersionAndNoDefinitionForEmptySlots) {
    ASSERT_NE(version_, nullptr);
    EXPECT_EQ(version_(), WSEARCH_ABI_VERSION);
    define(kSearx);
    for (int engine : {0, 2, 7, 16})
        EXPECT_EQ(run(engine, "q", 10).code, WSEARCH_NO_DEFINITION) << engine;
    EXPECT_TRUE(server_.requests().empty());
}

TEST_F(WebSearchModule, JsonEnginePagesUpToTheWantedNumberAfterTheSummary) {
    server_.on("/search", [](const Request& request) {
        const int page = std::atoi(param(request, "pageno").c_str());
        Reply reply;
        reply.contentType = "application/json";
        reply.body = searxPage((page - 1) * 10 + 1, page <= 3 ? 10 : 0, 4321);
        return reply;
    });
    define(kSearx);
    const Outcome outcome = run(1, "red fox", 25);
    ASSERT_EQ(outcome.code, WSEARCH_OK);
    ASSERT_FALSE(outcome.items.empty());
    EXPECT_EQ(outcome.items[0].level, 0);
    EXPECT_EQ(outcome.items[0].size, 4321);
    const std::vector<Item> results = outcome.results();
    ASSERT_EQ(results.size(), 25u);
    EXPECT_EQ(results[0].title, "Result 1 & more");
    EXPECT_EQ(results[0].url, "http://r1.example/");
    EXPECT_EQ(results[24].url, "http://r25.example/");
    EXPECT_EQ(results[0].fitness, 1500); // score 1.5 at 1000 a point
    EXPECT_EQ(results[2].fitness, 500);
    EXPECT_TRUE(results[0].dated);
    EXPECT_EQ(results[0].date.month, 2);
    EXPECT_EQ(results[0].date.day, 2);
    EXPECT_EQ(results[0].charset, "");
    const auto requests = server_.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(param(requests[0], "q"), "red+fox");
    EXPECT_EQ(param(requests[2], "pageno"), "3");
    // Who asks, and where to read about it.
    EXPECT_EQ(requests[0].header("User-Agent").rfind("qxseek/", 0), 0u);
    EXPECT_NE(requests[0].header("User-Agent").find("+https://"), std::string::npos);

    // Reports go out with the network layer's codes.
    for (std::uint32_t status : {WSEARCH_STATUS_CONNECTING, WSEARCH_STATUS_CONNECTED,
                                 WSEARCH_STATUS_SENDING_REQUEST, WSEARCH_STATUS_RECEIVING_RESPONSE,
                                 WSEARCH_STATUS_RESPONSE_RECEIVED, WSEARCH_STATUS_REQUEST_COMPLETE})
        EXPECT_NE(std::find(outcome.statuses.begin(), outcome.statuses.end(), status),
                  outcome.statuses.end())
            << status;
}

TEST_F(WebSearchModule, StopsAtTheLastPageAndAtTheCallersWord) {
    server_.on("/search", [](const Request& request) {
        const int page = std::atoi(param(request, "pageno").c_str());
        Reply reply;
        reply.body = searxPage((page - 1) * 10 + 1, page == 1 ? 10 : page == 2 ? 4 : 0, 14);
        return reply;
    });
    define(kSearx);
    Outcome outcome = run(1, "q", 100);
    EXPECT_EQ(outcome.code, WSEARCH_OK);
    EXPECT_EQ(outcome.results().size(), 14u);
    EXPECT_EQ(server_.requests().size(), 2u); // the short second page was the last

    // The caller takes the summary and three results, then says it was stopped.
    outcome = run(1, "q", 100, 0, "", nullptr, 4);
    EXPECT_EQ(outcome.code, 1223);
    EXPECT_EQ(outcome.items.size(), 4u);
    EXPECT_EQ(server_.requests().size(), 3u);
}

TEST_F(WebSearchModule, ModesAndExclusionsGoIntoTheRequestLine) {
    server_.on("/s", Reply{200, {}, R"({"r":[]})", "application/json"});
    define(R"({"engines": {"2": {
      "url": "{server}/s?q={query}&x={exclude}",
      "modes": {"1": {"word": "+{w}"}, "2": {"join": "|"}, "3": {"whole": "\"{q}\""}},
      "exclude": {"word": "{w}", "join": ","},
      "fields": {"results": "r", "title": "t", "url": "u"}},
     "3": {
      "url": "{server}/s?q={query}",
      "fields": {"results": "r", "title": "t", "url": "u"}}}})");
    run(2, "red fox", 10, 0, "");
    run(2, "red fox", 10, 1, "dog cat");
    run(2, "red fox", 10, 2, "");
    run(2, "red fox", 10, 3, "dog");
    run(3, "red fox", 10, 1, "dog cat");
    const auto requests = server_.requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].target, "/s?q=red+fox&x=");
    EXPECT_EQ(requests[1].target, "/s?q=%2Bred+%2Bfox&x=dog%2Ccat");
    EXPECT_EQ(requests[2].target, "/s?q=red%7Cfox&x=");
    EXPECT_EQ(requests[3].target, "/s?q=%22red+fox%22&x=dog");
    // Without a place of their own the exclusions follow the words.
    EXPECT_EQ(requests[4].target, "/s?q=red+fox+-dog+-cat");
}

TEST_F(WebSearchModule, HtmlEngineInACyrillicCharsetWithLinksTitlesAndGroups) {
    // Titles in windows-1251 ("Кот" and "Пёс"), one relative link, one through
    // the engine's redirector, two results of one host.
    server_.on("/html", [](const Request&) {
        Reply reply;
        reply.contentType = "text/html; charset=windows-1251";
        reply.body =
            "<html><body><div id=stats>\xCD\xE0\xE9\xE4\xE5\xED\xEE 12 345 \xF1\xF2\xF0.</div>"
            "<ol><li><a href='/own/page'>\xCA\xEE\xF2 &laquo;<b>1</b>&raquo;</a>"
            "<span class=d>Tue, 05 Mar 2024 10:20:30 GMT</span></li>"
            "<li><a href='/go?u=http%3A%2F%2Fcats.example%2Fa'>\xCF\xB8\xF1</a></li>"
            "<li><a href='http://cats.example/b'>Cats B</a></li>"
            "<li><a href='mailto:x@y.example'>Mail</a></li></ol></body></html>";
        return reply;
    });
    define(R"json({"engines": {"5": {
      "url": "{server}/html?q={query}",
      "encoding": "windows-1251",
      "kind": "html",
      "fields": {"results": "//ol/li", "title": "string(a)", "url": "string(a/@href)",
                 "date": "string(span[@class='d'])", "total": "string(//div[@id='stats'])"},
      "redirect_param": "u",
      "group": "host"}}})json");
    const Outcome outcome = run(5, "\xD0\xBA\xD0\xBE\xD1\x82", 10); // "кот"
    ASSERT_EQ(outcome.code, WSEARCH_OK);
    ASSERT_EQ(server_.requests().size(), 1u);
    EXPECT_EQ(server_.requests()[0].target, "/html?q=%EA%EE%F2");
    ASSERT_EQ(outcome.items.size(), 5u);
    EXPECT_EQ(outcome.items[0].level, 0);
    EXPECT_EQ(outcome.items[0].size, 12345);
    const Item& own = outcome.items[1];
    EXPECT_EQ(own.level, 1);
    EXPECT_EQ(own.title, "\xD0\x9A\xD0\xBE\xD1\x82 \xC2\xAB"
                         "1\xC2\xBB");
    EXPECT_EQ(own.url, server_.url("/own/page"));
    EXPECT_EQ(own.fitness, 10000);
    ASSERT_TRUE(own.dated);
    EXPECT_EQ(own.date.hour, 10);
    // The two results of cats.example under a heading of their host.
    EXPECT_EQ(outcome.items[2].level, 1);
    EXPECT_EQ(outcome.items[2].url, "");
    EXPECT_EQ(outcome.items[2].title, "cats.example");
    EXPECT_EQ(outcome.items[3].level, 2);
    EXPECT_EQ(outcome.items[3].url, "http://cats.example/a");
    EXPECT_EQ(outcome.items[3].title, "\xD0\x9F\xD1\x91\xD1\x81");
    EXPECT_EQ(outcome.items[3].fitness, 9000); // second of ten wanted
    EXPECT_EQ(outcome.items[4].url, "http://cats.example/b");
    EXPECT_FALSE(outcome.items[4].dated);
}

TEST_F(WebSearchModule, RssAndAtomFeedsWithKoi8Pages) {
    // An RSS page in KOI8-R ("Мир" in the title) and an Atom page.
    server_.on("/rss",
               Reply{200,
                     {},
                     "<?xml version='1.0' encoding='koi8-r'?><rss version='2.0'><channel>"
                     "<item><title>\xED\xC9\xD2 &amp;lt;i&amp;gt;2&amp;lt;/i&amp;gt;</title>"
                     "<link>http://mir.example/</link>"
                     "<pubDate>Wed, 06 Mar 2024 01:02:03 +0300</pubDate></item>"
                     "</channel></rss>",
                     "application/rss+xml"});
    server_.on("/atom", Reply{200,
                              {},
                              "<feed xmlns='http://www.w3.org/2005/Atom'>"
                              "<entry><title>Atom one</title><link href='/rel/one'/>"
                              "<published>2024-03-07T08:00:00Z</published></entry></feed>",
                              "application/atom+xml"});
    define(R"({"engines": {
      "6": {"url": "{server}/rss?q={query}", "kind": "feed"},
      "7": {"url": "{server}/atom?q={query}", "kind": "feed"}}})");
    Outcome outcome = run(6, "mir", 10);
    ASSERT_EQ(outcome.code, WSEARCH_OK);
    ASSERT_EQ(outcome.results().size(), 1u);
    EXPECT_EQ(outcome.results()[0].title, "\xD0\x9C\xD0\xB8\xD1\x80 2");
    EXPECT_EQ(outcome.results()[0].date.day, 5); // 01:02 at +03:00 is the evening before
    EXPECT_EQ(outcome.results()[0].date.hour, 22);
    EXPECT_EQ(outcome.items[0].size, 1); // no count given: the first page's results

    outcome = run(7, "atom", 10);
    ASSERT_EQ(outcome.code, WSEARCH_OK);
    ASSERT_EQ(outcome.results().size(), 1u);
    EXPECT_EQ(outcome.results()[0].url, server_.url("/rel/one"));
    EXPECT_EQ(outcome.results()[0].date.day, 7);
}

TEST_F(WebSearchModule, FailuresOfTheEngineEndTheRunWithTheirCodes) {
    server_.on("/fail", Reply{500, {}, "oops", "text/plain"});
    server_.on("/busy", Reply{429, {{"Retry-After", "60"}}, "slow down", "text/plain"});
    server_.on("/garbage", Reply{200, {}, "<html>this is no json</html>", "text/html"});
    Reply huge;
    huge.generatedBytes = (4u << 20) + 1;
    server_.on("/huge", huge);
    define(R"({"engines": {
      "1": {"url": "{server}/fail?q={query}", "fields": {"results": "r", "title": "t", "url": "u"}},
      "2": {"url": "{server}/garbage?q={query}", "fields": {"results": "r", "title": "t", "url": "u"}},
      "3": {"url": "{server}/huge?q={query}", "fields": {"results": "r", "title": "t", "url": "u"}},
      "5": {"url": "{server}/x?q={query}", "kind": "html", "fields": {"results": "//a[", "title": "t", "url": "u"}},
      "6": {"url": "http://127.0.0.1:1/?q={query}", "fields": {"results": "r", "title": "t", "url": "u"}},
      "7": {"url": "{server}/busy?q={query}", "fields": {"results": "r", "title": "t", "url": "u"}}}})");
    EXPECT_EQ(run(1, "q", 10).code, WSEARCH_HTTP_FAILURE);
    EXPECT_EQ(run(2, "q", 10).code, 12152);
    EXPECT_EQ(run(3, "q", 10).code, 12152);
    EXPECT_EQ(run(5, "q", 10).code, 0x20000002);
    EXPECT_EQ(run(6, "q", 10).code, 12029);
    EXPECT_EQ(run(7, "q", 10).code, WSEARCH_RATE_LIMITED);
    // A feed that nests its own entities is not read, rather than expanded.
    std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE rss [\n<!ENTITY a \"ha\">\n";
    for (char c = 'b'; c <= 'j'; ++c) {
        std::string value;
        for (int i = 0; i < 10; ++i)
            value += std::string("&") + static_cast<char>(c - 1) + ";";
        laughs += std::string("<!ENTITY ") + c + " \"" + value + "\">\n";
    }
    laughs += "]>\n<rss><channel><item><title>&j;</title><link>http://x.example/</link></item>"
              "</channel></rss>";
    server_.on("/laughs", Reply{200, {}, laughs, "application/rss+xml"});
    define(R"({"engines": {"8": {"url": "{server}/laughs?q={query}", "kind": "feed"}}})");
    EXPECT_EQ(run(8, "q", 10).code, 12152);
    define("{ \"engines\": ");
    EXPECT_EQ(run(1, "q", 10).code, 0x20000002);
}

TEST_F(WebSearchModule, TheStopEventEndsAWaitingRunAtOnce) {
    Reply slow;
    slow.delayMs = 10000;
    slow.body = searxPage(1, 10, 10);
    server_.on("/search", slow);
    define(kSearx);
    qx::platform::Event stop;
    const Outcome outcome = runStoppedAfter(300, stop);
    EXPECT_EQ(outcome.code, 1223);
    EXPECT_LT(outcome.took.count(), 1500);
    EXPECT_TRUE(outcome.items.empty());
    EXPECT_TRUE(stop.isSet()); // never consumed by the module
}

TEST_F(WebSearchModule, TheStopEventEndsARunInTheMiddleOfAPage) {
    // Half a page, then silence.
    qx::test::RawSocketServer engine([](qx::test::RawSocketServer::Connection& connection) {
        connection.readRequest();
        connection.send("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                        "Content-Length: 100000\r\n\r\n{\"results\": [");
        connection.hold();
    });
    define(R"json({"engines": {"1": {"url": ")json" + engine.url("/search?q={query}") +
           R"json(", "fields": {"results": "results", "title": "title", "url": "url"}}}})json");
    qx::platform::Event stop;
    const Outcome outcome = runStoppedAfter(300, stop);
    EXPECT_EQ(outcome.code, 1223);
    EXPECT_LT(outcome.took.count(), 1500);
    EXPECT_NE(std::find(outcome.statuses.begin(), outcome.statuses.end(),
                        WSEARCH_STATUS_RECEIVING_RESPONSE),
              outcome.statuses.end());
}

TEST_F(WebSearchModule, AServerThatStallsRunsIntoTheTimeOut) {
    Reply slow;
    slow.delayMs = 8000;
    slow.body = searxPage(1, 10, 10);
    server_.on("/search", slow);
    define(kSearx); // stall time-out of 1 s
    const Outcome outcome = run(1, "q", 10);
    EXPECT_EQ(outcome.code, 12002);
    EXPECT_LT(outcome.took.count(), 5000);
}

TEST_F(WebSearchModule, AnEngineThatTricklesEndsAtTheTotalLimitKeepingWhatCameBefore) {
    // The first page comes at once; the second trickles two bytes every half
    // second, which never counts as a stall.
    qx::test::RawSocketServer engine([](qx::test::RawSocketServer::Connection& connection) {
        const std::string head = connection.readRequest();
        const std::string body = searxPage(1, 10, 50);
        if (head.find("pageno=1 ") != std::string::npos) {
            connection.send("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                            "Content-Length: " +
                            std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            return;
        }
        connection.send("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                        "Content-Length: 100000\r\nConnection: close\r\n\r\n");
        for (int i = 0; connection.pause(500) && connection.send(body.substr(i * 2 % 100, 2));
             ++i) {
        }
    });
    define(R"json({"timeouts": {"connect": 2, "stall": 10, "total": 2}, "engines": {"1": {
      "url": ")json" +
           engine.url("/search?q={query}&pageno={page}") + R"json(",
      "fields": {"results": "results", "title": "title", "url": "url"}}}})json");
    const Outcome outcome = run(1, "q", 20);
    EXPECT_EQ(outcome.code, 12002);
    EXPECT_EQ(outcome.results().size(), 10u);
    EXPECT_GE(outcome.took.count(), 1900);
    EXPECT_LT(outcome.took.count(), 5000);
}

TEST_F(WebSearchModule, AThousandResultsArePagedForToTheEndAndNoFurther) {
    server_.on("/search", [](const Request& request) {
        const int page = std::atoi(param(request, "pageno").c_str());
        Reply reply;
        reply.body = searxPage((page - 1) * 10 + 1, 10, 1000000);
        return reply;
    });
    define(kSearx);
    const Outcome outcome = run(1, "q", 1000);
    EXPECT_EQ(outcome.code, WSEARCH_OK);
    EXPECT_EQ(server_.requests().size(), 100u);
    EXPECT_EQ(outcome.results().size(), 1000u);
    // An engine that answers every page with the same results ends at the
    // first page that brings nothing new.
    server_.on("/same", Reply{200, {}, searxPage(1, 10, 99), "application/json"});
    define(R"json({"engines": {"1": {"url": "{server}/same?q={query}&pageno={page}",
      "fields": {"results": "results", "title": "title", "url": "url"}}}})json");
    const std::size_t before = server_.requests().size();
    EXPECT_EQ(run(1, "q", 1000).results().size(), 10u);
    EXPECT_EQ(server_.requests().size() - before, 2u);
}

TEST_F(WebSearchModule, GoesThroughTheProxyOfTheBlock) {
    // A raw server stands in for the proxy: it sees the engine's whole address.
    const std::string body = searxPage(1, 3, 3);
    qx::test::RawSocketServer proxy(qx::test::RawSocketServer::replyWith(
        "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
        std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body));
    define(R"json({"engines": {"1": {"url": "http://engine.invalid/search?q={query}",
      "fields": {"results": "results", "title": "title", "url": "url"}}}})json");
    Outcome outcome;
    WSearchParam param{};
    const std::string address = "127.0.0.1:" + std::to_string(proxy.port());
    param.query = "fox";
    param.exclude = "";
    param.max = 3;
    param.engine = 1;
    param.result = onItem;
    param.resultContext = &outcome;
    param.stopEvent = -1;
    param.accessType = WSEARCH_ACCESS_PROXY;
    param.proxy = address.c_str();
    EXPECT_EQ(search_(&param), WSEARCH_OK);
    EXPECT_EQ(outcome.results().size(), 3u);
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].rfind("GET http://engine.invalid/search?q=fox HTTP/1.1\r\n", 0),
              0u)
        << proxy.requests()[0];
}

} // namespace
} // namespace qsearch
