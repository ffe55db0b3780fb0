// Exports a document of 100 000 references (in 100 folders, a fifth of the
// titles in windows-1251) as an HTML page and as a bookmark file, and reads
// the bookmark file back. Each export is set against writing the same bytes
// with one fwrite of a buffer prepared beforehand; the import against
// libxml2's bare parse of the same file. Figures are ratios of throughput
// (ours over the baseline, 1 would be as fast as the baseline), each from the
// median of several runs of processor time.
//
// Both sides of a file figure write a file that does not exist yet, and their
// runs take turns. Writing over an existing file costs the truncation of its
// cached pages, and ext4 starts writing the new bytes out when such a file is
// closed; which side paid that, and how much, depended on the order of the
// runs and on the writeback of the run before, and swung the ratio between
// 0.1 and 3.
#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "exchange/BrowserImport.h"
#include "exchange/HtmlPage.h"
#include "exchange/PageFiling.h"
#include "lang/Language.h"
#include "lang/ProgramFolder.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"

#include <libxml/HTMLparser.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace qx;

constexpr int kReferences = 100000;
constexpr int kPerFolder = 1000;
constexpr int kRuns = 3;
// The file figures: more runs, as the kernel's share swings from run to run.
constexpr int kFileRuns = 9;

double cputime() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double timed(const std::function<void()>& run) {
    const double start = cputime();
    run();
    return cputime() - start;
}

double median(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(timed(run));
    return median(times);
}

std::string readall(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

struct Figures {
    double ours;
    double baseline;
    std::string bytes;
};

// Our writer against the baseline, the finished bytes written to a file in
// one call; each run of either side writes a fresh file.
Figures filefigures(const std::filesystem::path& dir,
                    const std::function<void(const std::string&)>& write) {
    const std::string ours = (dir / "ours.html").string();
    const std::string raw = (dir / "raw.html").string();
    write(ours);
    Figures figures{0, 0, readall(ours)};
    std::vector<double> ourtimes;
    std::vector<double> rawtimes;
    for (int i = 0; i < kFileRuns; ++i) {
        std::filesystem::remove(ours);
        ourtimes.push_back(timed([&] { write(ours); }));
        std::filesystem::remove(raw);
        rawtimes.push_back(timed([&] {
            FILE* file = std::fopen(raw.c_str(), "wb");
            std::fwrite(figures.bytes.data(), 1, figures.bytes.size(), file);
            std::fclose(file);
        }));
    }
    figures.ours = median(ourtimes);
    figures.baseline = median(rawtimes);
    return figures;
}

void build(DDoc& doc) {
    Ref* folder = nullptr;
    for (int i = 0; i < kReferences; ++i) {
        if (i % kPerFolder == 0)
            folder = &doc.createfolder(Str("Folder " + std::to_string(i / kPerFolder)),
                                       doc.orgroot(), nullptr);
        const std::string url = "https://host" + std::to_string(i % 5000) +
                                ".example.org/path/page" + std::to_string(i) + ".html?q=a&b=\"c\"";
        Object* page = PageFiling::filepage(doc, url);
        ObjectProp props = page->props();
        if (i % 5 == 0) {
            props.title = Str("\xCF\xF0\xE8\xE2\xE5\xF2 <" + std::to_string(i) + ">");
            props.charset = 1;
        } else {
            props.title = Str("Page number " + std::to_string(i) + " & more");
        }
        doc.setobjectprops(*page, props);
        doc.createresult(page, nullptr, *folder, nullptr, false);
    }
}

std::string url(int i) {
    return "https://host" + std::to_string(i % 5000) + ".example.org/path/page" +
           std::to_string(i) + ".html";
}

// A places.sqlite as Firefox makes it, filled in one transaction.
void writeplaces(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, readall(std::string(QX_TEST_DATA_DIR) + "/places-schema.sql").c_str(), nullptr,
                 nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* place = nullptr;
    sqlite3_stmt* mark = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO moz_places (id, url, guid) VALUES (?, ?, ?)", -1, &place,
                       nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, "
                       "dateAdded, guid) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &mark, nullptr);
    auto add = [&](int id, int type, int fk, int parent, int position, const std::string& title) {
        sqlite3_bind_int(mark, 1, id);
        sqlite3_bind_int(mark, 2, type);
        if (fk)
            sqlite3_bind_int(mark, 3, fk);
        else
            sqlite3_bind_null(mark, 3);
        sqlite3_bind_int(mark, 4, parent);
        sqlite3_bind_int(mark, 5, position);
        sqlite3_bind_text(mark, 6, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(mark, 7, 1600000000000000LL + id);
        sqlite3_bind_text(mark, 8, ("b" + std::to_string(id)).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(mark);
        sqlite3_reset(mark);
    };
    int folder = 0;
    for (int i = 0; i < kReferences; ++i) {
        if (i % kPerFolder == 0) {
            folder = 1000000 + i / kPerFolder;
            add(folder, 2, 0, 2, i / kPerFolder, "Folder " + std::to_string(i / kPerFolder));
        }
        sqlite3_bind_int(place, 1, i + 1);
        sqlite3_bind_text(place, 2, url(i).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(place, 3, ("p" + std::to_string(i)).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(place);
        sqlite3_reset(place);
        add(100 + i, 1, i + 1, folder, i % kPerFolder, "Page number " + std::to_string(i));
    }
    sqlite3_finalize(place);
    sqlite3_finalize(mark);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// The same bookmarks as a Chromium-family Bookmarks file.
std::string bookmarksjson() {
    std::string json = R"({"checksum": "", "roots": {"bookmark_bar": {"children": [)";
    for (int i = 0; i < kReferences; ++i) {
        if (i % kPerFolder == 0)
            json += std::string(i ? "]}, " : "") + R"({"type": "folder", "name": "Folder )" +
                    std::to_string(i / kPerFolder) + R"(", "children": [)";
        json += std::string(i % kPerFolder ? ", " : "") +
                R"({"date_added": "13285932710000000", "guid": "g)" + std::to_string(i) +
                R"(", "id": ")" + std::to_string(i + 10) + R"(", "name": "Page number )" +
                std::to_string(i) + R"(", "type": "url", "url": ")" + url(i) + R"("})";
    }
    return json + R"(]}], "name": "Bookmarks bar", "type": "folder"}}, "version": 1})";
}

// The rows of the import's query, every column taken, and nothing else done.
std::size_t bareplaces(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT b.id, b.parent, b.type, b.dateAdded, b.title, p.url, b.guid "
                       "FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
                       "ORDER BY b.parent, b.position, b.id",
                       -1, &statement, nullptr);
    std::size_t bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < 4; ++column)
            bytes += static_cast<std::size_t>(sqlite3_column_int64(statement, column) & 1);
        for (int column = 4; column < 7; ++column) {
            sqlite3_column_text(statement, column);
            bytes += static_cast<std::size_t>(sqlite3_column_bytes(statement, column));
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return bytes;
}

void reportimport(const char* what, std::size_t pages, double ours, double bare,
                  const char* baseline) {
    std::printf("%-22s %8.0f pages/s  ratio to %s: %.2f (goal >= 0.3)\n", what,
                static_cast<double>(pages) / ours, baseline, bare / ours);
}

void report(const char* what, const Figures& figures) {
    std::printf("%-22s %8.1f MB/s  ratio to fwrite of the same bytes: %.2f (goal >= 0.3)\n", what,
                static_cast<double>(figures.bytes.size()) / figures.ours / 1e6,
                figures.baseline / figures.ours);
}

} // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("qx-bench-exports-" + std::to_string(getpid()));
    fs::create_directories(dir);
    DDoc doc;
    build(doc);
    std::vector<const Ref*> nodes;
    for (Tree* n = doc.orgroot().firstchild(); n; n = n->nextsibling())
        nodes.push_back(static_cast<const Ref*>(n));

    Language language(ProgramFolder::current());
    std::string code = Language::kFallbackCode;
    language.load(code);
    HtmlPage page(language, dir.string());
    report("HTML page",
           filefigures(dir, [&](const std::string& path) { page.WriteHtmlPage(path, nodes); }));

    BookmarkExport bookmarks;
    const Figures bookmarkfile =
        filefigures(dir, [&](const std::string& path) { bookmarks.write(path, nodes); });
    report("bookmark file", bookmarkfile);
    const std::string& bookmarkbytes = bookmarkfile.bytes;

    const double parse = median([&] {
        xmlFreeDoc(htmlReadMemory(bookmarkbytes.data(), static_cast<int>(bookmarkbytes.size()),
                                  nullptr, "UTF-8",
                                  HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                      HTML_PARSE_NONET | XML_PARSE_HUGE));
    });
    std::size_t imported = 0;
    const double import = median([&] {
        DDoc into;
        BookmarkImport reader(into);
        reader.read(bookmarkbytes, into.orgroot());
        imported = reader.bookmarks();
    });
    std::printf("%-22s %8.0f pages/s  ratio to libxml2's bare parse: %.2f (goal >= 0.3)\n",
                "bookmark import", static_cast<double>(imported) / import, parse / import);

    const std::string places = (dir / "places.sqlite").string();
    writeplaces(places);
    std::size_t fromplaces = 0;
    const double placesours = median([&] {
        DDoc into;
        BrowserImport reader;
        reader.read(places, {});
        reader.place(into);
        fromplaces = reader.added();
    });
    const double placesbare = median([&] { bareplaces(places); });
    reportimport("places.sqlite import", fromplaces, placesours, placesbare,
                 "SQLite's bare read of the rows");

    const std::string chromium = (dir / "Bookmarks").string();
    std::ofstream(chromium, std::ios::binary) << bookmarksjson();
    std::size_t fromjson = 0;
    const double jsonours = median([&] {
        DDoc into;
        BrowserImport reader;
        reader.read(chromium, {});
        reader.place(into);
        fromjson = reader.added();
    });
    const double jsonbare = median([&] {
        const nlohmann::json tree = nlohmann::json::parse(readall(chromium), nullptr, false);
        if (tree.is_discarded())
            std::abort();
    });
    reportimport("Bookmarks import", fromjson, jsonours, jsonbare, "nlohmann-json's bare parse");
    fs::remove_all(dir);
    return imported == kReferences && fromplaces == kReferences && fromjson == kReferences ? 0 : 1;
}
