// Throughput of the buffered file streams against plain read/write calls with
// the same buffer size, on one temporary file. Prints ratios (stream / raw);
// above 1 the stream is faster.

#include "platform/File.h"
#include "stream/Str.h"
#include "stream/ifbwstream.h"
#include "stream/ifwstream.h"
#include "stream/ofbwstream.h"
#include "stream/ofwstream.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace qx;

constexpr std::int64_t kTotal = 256LL << 20;
constexpr int kRepeats = 9;

std::string gPath;
// Source bytes: writes start anywhere in the first MiB and may run on into
// the second.
constexpr std::size_t kSpan = 1 << 20;
std::vector<char> gData(2 * kSpan);

// CPU time of the process (user and system): the file stays in the page
// cache, so the work is all on the CPU, and on a shared machine the time spent
// waiting for a CPU would otherwise swamp the figures.
double cpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double timed(const std::function<bool()>& run) {
    double start = cpuSeconds();
    if (!run()) {
        std::fprintf(stderr, "bench_stream_io: a run failed on %s\n", gPath.c_str());
        std::filesystem::remove(gPath);
        std::exit(1);
    }
    return cpuSeconds() - start;
}

// Raw and stream runs alternate and the best of each counts, so that other
// work on the machine disturbs both alike. Above 1 the stream is faster.
double gBestRaw = 0;

double ratio(const std::function<bool()>& raw, const std::function<bool()>& stream) {
    double bestRaw = 1e30, bestStream = 1e30;
    for (int i = 0; i < kRepeats; ++i) {
        bestRaw = std::min(bestRaw, timed(raw));
        bestStream = std::min(bestStream, timed(stream));
    }
    gBestRaw = bestRaw;
    return bestRaw / bestStream;
}

double mibPerSecond(double seconds) {
    return static_cast<double>(kTotal >> 20) / seconds;
}

bool rawWrite(int chunk) {
    platform::FileHandle f = platform::openFileForWriting(gPath.c_str(), true);
    if (f == platform::kInvalidFile)
        return false;
    bool ok = true;
    for (std::int64_t done = 0; ok && done < kTotal; done += chunk)
        ok = platform::writeFile(f, gData.data() + done % kSpan, static_cast<std::size_t>(chunk)) ==
             chunk;
    return platform::closeFile(f) && ok;
}

bool rawRead(int chunk) {
    platform::FileHandle f = platform::openFileForReading(gPath.c_str());
    if (f == platform::kInvalidFile)
        return false;
    std::vector<char> buf(static_cast<std::size_t>(chunk));
    std::int64_t done = 0;
    for (std::int64_t got; (got = platform::readFile(f, buf.data(), buf.size())) > 0;)
        done += got;
    return platform::closeFile(f) && done >= kTotal;
}

std::unique_ptr<ofbwstream> openOut(int bufsize) {
    if (bufsize == ofwstream::kBufferSize)
        return std::make_unique<ofwstream>(gPath.c_str());
    return std::make_unique<ofbwstream>(gPath.c_str(), bufsize);
}

std::unique_ptr<ibwstream> openIn(int bufsize) {
    if (bufsize == ifwstream::kBufferSize)
        return std::make_unique<ifwstream>(gPath.c_str());
    return std::make_unique<ifbwstream>(gPath.c_str(), bufsize);
}

bool streamWrite(int bufsize, int block) {
    auto out = openOut(bufsize);
    for (std::int64_t done = 0; done < kTotal; done += block)
        out->write(gData.data() + done % kSpan,
                   static_cast<int>(std::min<std::int64_t>(block, kTotal - done)));
    return out->close() == 0;
}

bool streamRead(int bufsize, int block) {
    auto in = openIn(bufsize);
    std::vector<char> buf(static_cast<std::size_t>(block));
    std::int64_t done = 0;
    for (int got; (got = in->read(buf.data(), block)) > 0;)
        done += got;
    return done == kTotal;
}

// What the document writer does: a record with a length placeholder that is
// patched afterwards, small fields, two texts and now and then a larger block.
const Str kTitle("An ordinary page title of some forty bytes");
const Str kUrl("http://www.example.org/some/path/to/a/page/index.html?q=1");

bool recordWrite(int bufsize) {
    auto out = openOut(bufsize);
    std::uint16_t id = 0;
    while (out->tell() < kTotal) {
        int start = out->tell();
        out->put16(0).put16(++id).put8(3);
        *out << kTitle << kUrl;
        out->put32(id).put64(0x01D0000000000000ULL + id).put16(0x12);
        if (id % 16 == 0)
            out->write(gData.data(), 2048);
        int end = out->tell();
        out->seek(start, 0);
        out->put16(static_cast<std::uint16_t>(end - start - 2));
        out->seek(end, 0);
    }
    return out->close() == 0;
}

bool recordRead(int bufsize) {
    auto in = openIn(bufsize);
    std::vector<char> block(2048);
    std::uint16_t length = 0, id = 0, flags = 0;
    std::uint8_t kind = 0;
    std::uint32_t number = 0;
    std::uint64_t time = 0, sum = 0;
    Str title, url;
    while (in->get16(length).good()) {
        in->get16(id).get8(kind);
        *in >> title >> url;
        in->get32(number).get64(time).get16(flags);
        if (id % 16 == 0)
            in->read(block.data(), 2048);
        sum += length + title.length() + url.length() + time;
    }
    return sum != 0 && in->tell() >= kTotal;
}

} // namespace

int main() {
    for (std::size_t i = 0; i < gData.size(); ++i)
        gData[i] = static_cast<char>(i * 131 + 7);
    std::string pattern = (std::filesystem::temp_directory_path() / "qxbench-XXXXXX").string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        std::perror("bench_stream_io: temporary file");
        return 1;
    }
    ::close(fd);
    gPath = pattern;

    std::printf("stream_io: %lld MiB per run, best of %d by CPU time, file %s\n",
                static_cast<long long>(kTotal >> 20), kRepeats, gPath.c_str());
    std::printf("throughput ratio stream / raw read+write calls of the buffer size\n");
    std::printf("%-44s %7s %7s\n", "", "write", "read");
    for (int bufsize : {65536, 512}) {
        const char* name =
            bufsize == 512 ? "ofwstream/ifwstream (512 B)" : "ofbwstream/ifbwstream (64 KiB)";
        auto rawW = [&] { return rawWrite(bufsize); };
        auto rawR = [&] { return rawRead(bufsize); };
        // Large blocks (the buffer's size) first: the headline; then smaller
        // blocks that go through the buffer.
        for (int block : {bufsize, 4096, 1000}) {
            double w = ratio(rawW, [&] { return streamWrite(bufsize, block); });
            double rawWriteRate = mibPerSecond(gBestRaw);
            double r = ratio(rawR, [&] { return streamRead(bufsize, block); });
            if (block == bufsize)
                std::printf("raw calls of %d B: write %.0f MiB/s, read %.0f MiB/s\n", bufsize,
                            rawWriteRate, mibPerSecond(gBestRaw));
            std::printf("%-30s %6d B blocks %7.2f %7.2f%s\n", name, block, w, r,
                        bufsize == 65536 && block == bufsize ? "   <- headline" : "");
        }
        double w = ratio(rawW, [&] { return recordWrite(bufsize); });
        // The record file left by the last run is what both sides read.
        double r = ratio(rawR, [&] { return recordRead(bufsize); });
        std::printf("%-30s %13s %7.2f %7.2f\n", name, "records", w, r);
    }
    std::filesystem::remove(gPath);
    return 0;
}
