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
#include "exchange/HtmlPage.h"
#include "exchange/PageFiling.h"
#include "lang/Language.h"
#include "lang/ProgramFolder.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <cstdio>
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
    fs::remove_all(dir);
    return imported == kReferences ? 0 : 1;
}
