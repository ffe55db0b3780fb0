// Exports a document of 100 000 references (in 100 folders, a fifth of the
// titles in windows-1251) as an HTML page and as a bookmark file, and reads
// the bookmark file back. Each export is set against writing the same bytes
// with one fwrite of a buffer prepared beforehand; the import against
// libxml2's bare parse of the same file. Figures are ratios of throughput
// (ours over the baseline, 1 would be as fast as the baseline), each from the
// median of a few runs of processor time.
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

double cputime() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double median(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = cputime();
        run();
        times.push_back(cputime() - start);
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

std::string readall(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The baseline: the finished bytes to a file in one call.
double rawwrite(const std::string& path, const std::string& bytes) {
    return median([&] {
        FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    });
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

void report(const char* what, double ours, double baseline, std::size_t bytes) {
    std::printf("%-22s %8.1f MB/s  ratio to fwrite of the same bytes: %.2f (goal >= 0.3)\n", what,
                static_cast<double>(bytes) / ours / 1e6, baseline / ours);
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
    const std::string html = (dir / "page.html").string();
    const double htmltime = median([&] { page.WriteHtmlPage(html, nodes); });
    const std::string htmlbytes = readall(html);
    report("HTML page", htmltime, rawwrite((dir / "raw.html").string(), htmlbytes),
           htmlbytes.size());

    BookmarkExport bookmarks;
    const std::string file = (dir / "bookmarks.html").string();
    const double bookmarktime = median([&] { bookmarks.write(file, nodes); });
    const std::string bookmarkbytes = readall(file);
    report("bookmark file", bookmarktime, rawwrite((dir / "raw2.html").string(), bookmarkbytes),
           bookmarkbytes.size());

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
