// Saves and loads documents of 10k, 100k and 1M pages (each page filed in the
// domain tree and referenced once from the organizer tree) and, in the same
// run, reads the saved file's bytes raw into memory. Prints the save and load
// throughput, the load time as a ratio to the raw read, and the time per page
// as a ratio to that of 10k pages.
//
// Every raw read and every load runs in a child process of its own, so that
// each starts on a fresh heap as a program opening a document does: both then
// pay for the memory they fill (a heap left over from an earlier run would
// make a later one look cheaper than it is). Times are processor time of the
// process (user and system), so that other work on the machine counts less;
// each figure is the median of a few runs. Saving is measured up to the bytes
// being in the system's hands (closed, not forced to the device): forcing
// measures the disk, not the code. Beside the times stands the peak resident
// memory of a process that loaded the document (the largest of its runs).
#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"
#include "platform/File.h"
#include "stream/ofbwstream.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace qx;

constexpr std::size_t kPagesPerFolder = 1000;
constexpr std::size_t kPagesPerHost = 20;
constexpr int kRuns = 3;

double cputime() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// What one child process measured, and its peak resident memory.
struct Sample {
    double seconds;
    long peakkb;
};

// Runs the measurement in a child process: its result, negative on failure.
Sample inchild(const std::function<double()>& measure) {
    int channel[2];
    if (pipe(channel) != 0) {
        return {-1, 0};
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        Sample result{measure(), 0};
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        result.peakkb = usage.ru_maxrss;
        const bool sent = write(channel[1], &result, sizeof result) == sizeof result;
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    Sample result{-1, 0};
    if (child < 0 || read(channel[0], &result, sizeof result) != sizeof result) {
        result.seconds = -1;
    }
    close(channel[0]);
    if (child > 0) {
        waitpid(child, nullptr, 0);
    }
    return result;
}

// The median time of a few runs and the largest peak memory among them.
Sample median(const std::function<double()>& measure) {
    std::vector<double> runs;
    long peakkb = 0;
    for (int i = 0; i < kRuns; ++i) {
        const Sample sample = inchild(measure);
        if (sample.seconds <= 0) {
            std::fprintf(stderr, "bench_doc_io: a run failed\n");
            std::exit(1);
        }
        runs.push_back(sample.seconds);
        peakkb = std::max(peakkb, sample.peakkb);
    }
    std::sort(runs.begin(), runs.end());
    return {runs[runs.size() / 2], peakkb};
}

void build(DDoc& doc, std::size_t pages) {
    const std::size_t hosts = std::max<std::size_t>(1, pages / kPagesPerHost);
    Ref* folder = nullptr;
    for (std::size_t i = 0; i < pages; ++i) {
        std::string url = "http://www.host" + std::to_string(i % hosts) + ".example/section" +
                          std::to_string(i / hosts % 4) + "/page" + std::to_string(i) + ".html";
        UrlRef* leaf = doc.filedomainnode(url);
        ObjectProp props;
        props.title = Str("Page number " + std::to_string(i));
        props.url = Str(url);
        props.modified = {2024, 5, 0, 17, 12, 30, 0, 0};
        props.size = static_cast<std::uint32_t>(1000 + i % 5000);
        props.servers = 5;
        auto* page = static_cast<Object*>(doc.container().add(std::make_unique<Object>(props)));
        page->addflags(Object::Confirmed);
        doc.settarget(*leaf, page);
        if (i % kPagesPerFolder == 0) {
            folder = &doc.createfolder(Str("Folder " + std::to_string(i / kPagesPerFolder)),
                                       doc.orgroot(), nullptr);
        }
        doc.createresult(page, nullptr, *folder, nullptr, false);
    }
}

// Builds the document and saves it a few times: the median save time.
double save(std::size_t pages, const std::string& path) {
    DDoc doc;
    build(doc, pages);
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        const double start = cputime();
        ofbwstream out(path.c_str(), kDocumentBufferSize);
        if (doc.write(out) != 0 || out.close() != 0) {
            return -1;
        }
        runs.push_back(cputime() - start);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

double rawread(const std::string& path, std::size_t size) {
    const double start = cputime();
    std::unique_ptr<char[]> bytes(new char[size]);
    platform::FileHandle f = platform::openFileForReading(path.c_str());
    if (f == platform::kInvalidFile) {
        return -1;
    }
    std::size_t done = 0;
    for (std::int64_t got;
         (got = platform::readFile(f, bytes.get() + done,
                                   std::min<std::size_t>(kDocumentBufferSize, size - done))) > 0;) {
        done += static_cast<std::size_t>(got);
    }
    const double took = cputime() - start;
    return platform::closeFile(f) && done == size ? took : -1;
}

double load(const std::string& path, std::size_t pages) {
    const double start = cputime();
    auto doc = std::make_unique<DDoc>();
    if (loadDocument(path, *doc) != 0 || doc->orgroot().count() * kPagesPerFolder < pages) {
        return -1;
    }
    const double took = cputime() - start;
    // The process ends without freeing the document: that is no part of
    // loading it.
    doc.release();
    return took;
}

} // namespace

int main() {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("qx_doc_io_" + std::to_string(getpid())))
            .string();
    const std::size_t sizes[] = {10'000, 100'000, 1'000'000};
    double basesave = 0;
    double baseload = 0;
    bool ok = true;
    for (std::size_t pages : sizes) {
        const double saved = inchild([&] { return save(pages, path); }).seconds;
        if (saved <= 0) {
            std::fprintf(stderr, "bench_doc_io: saving %zu pages failed\n", pages);
            return 1;
        }
        const auto size = static_cast<std::size_t>(std::filesystem::file_size(path));
        const double raw = median([&] { return rawread(path, size); }).seconds;
        const Sample loading = median([&] { return load(path, pages); });
        const double loaded = loading.seconds;
        const double n = static_cast<double>(pages);
        const double mbytes = static_cast<double>(size) / 1e6;
        if (pages == sizes[0]) {
            basesave = saved / n;
            baseload = loaded / n;
        }
        const double loadratio = loaded / raw;
        const double perpage = (loaded / n) / baseload;
        const double saveperpage = (saved / n) / basesave;
        std::printf("%8zu pages, %6.1f MB: save %5.0f MB/s, load %5.0f MB/s = %5.1f x the raw "
                    "read; per page: save %.2f x, load %.2f x that of 10k; peak RSS after "
                    "load %.0f MB\n",
                    pages, mbytes, mbytes / saved, mbytes / loaded, loadratio, saveperpage, perpage,
                    static_cast<double>(loading.peakkb) / 1024.0);
        std::fflush(stdout);
        if (pages == sizes[2]) {
            ok = loadratio <= 3.0 && perpage <= 1.5 && saveperpage <= 1.5;
        }
    }
    std::filesystem::remove(path);
    std::printf(ok ? "goal met: 1M pages load in 3 x the raw read or less, and load and save "
                     "within 1.5 x per page\n"
                   : "goal missed: 1M pages should load in 3 x the raw read or less, and load and "
                     "save within 1.5 x per page\n");
    return ok ? 0 : 1;
}
