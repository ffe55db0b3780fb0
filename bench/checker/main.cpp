// The reference checker against curl: 10 000 references spread over 20
// loopback ports of one nginx, every file answering 304 to the stored date,
// checked through the real job board and CheckThreads, 16 at a time ("CheckThreads")
// and no per-host limit; in the same run, curl --parallel --parallel-max 16
// over the same addresses with the same If-Modified-Since header. Prints our
// checks per second over curl's.
// Second line, real latency: 2 000 references on a loopback server that
// answers every request 100 ms after it came, 32 checks at a time ("CheckThreads"),
// against curl --parallel --parallel-max 32.

#include "DelayedHttpServer.h"
#include "NginxServer.h"
#include "lang/Language.h"
#include "model/Container.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"
#include "platform/FileTime.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "workers/Checker.h"
#include "workers/JobLoop.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kPorts = 20;
constexpr int kReferences = 10'000;
constexpr int kThreads = 16;
constexpr long kFileTime = 1700000000;
constexpr int kLatencyReferences = 2'000;
constexpr int kLatencyThreads = 32;
constexpr int kLatencyMs = 100;

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

std::string url(const qx::test::NginxServer& nginx, int i) {
    return nginx.Url("/f" + std::to_string(i / kPorts) + ".html", i % kPorts);
}

// Our run over the addresses with `threads` checks at a time: the time and
// how many came back unchanged.
double ours(const std::vector<std::string>& urls, int threads, const std::string& folder,
            int& unchanged) {
    qx::DDoc doc;
    qx::platform::SystemTime date;
    qx::platform::fileTimeToSystemTime(qx::platform::fileTimeFromUnix(kFileTime), date);
    for (const std::string& address : urls) {
        qx::UrlRef* node = doc.filedomainnode(address);
        qx::ObjectProp props;
        props.url = qx::Str(address);
        props.modified = date;
        auto* page =
            static_cast<qx::Object*>(doc.container().add(std::make_unique<qx::Object>(props)));
        doc.settarget(*node, page);
        doc.createresult(page, nullptr, doc.orgroot(), nullptr, false);
    }
    qx::Language language(QX_PROGRAM_DIR);
    std::string code = "enu";
    language.load(code);
    qx::Options options;
    options.checkThreads = threads;
    options.checksPerHost = 0;
    qx::ApplicationProfile profile(folder + "/qxseek.INI");
    qx::JobLoop loop(options, profile);
    qx::Checker checker(doc, loop.Board(), language, options);
    const auto start = Clock::now();
    checker.CheckSubtree(doc.orgroot());
    loop.Run();
    const double elapsed = seconds(start);
    unchanged = 0;
    for (const std::string& address : urls)
        unchanged += (doc.finddomainnode(address)->flags() & qx::Ref::kCheckState) ==
                     qx::Ref::CheckUnchanged;
    return elapsed;
}

double curl(const std::vector<std::string>& urls, int threads, const std::string& folder) {
    const std::string config = folder + "/curl.conf";
    {
        std::ofstream out(config);
        for (const std::string& address : urls)
            out << "url = \"" << address << "\"\noutput = \"/dev/null\"\n";
    }
    qx::platform::SystemTime date;
    qx::platform::fileTimeToSystemTime(qx::platform::fileTimeFromUnix(kFileTime), date);
    const std::string command =
        "curl -s --no-progress-meter --parallel --parallel-max " + std::to_string(threads) +
        " -H 'If-Modified-Since: " + qx::platform::formatHttpDate(date) + "' -K '" + config + "'";
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const double elapsed = seconds(start);
    if (status != 0)
        std::fprintf(stderr, "curl exited with %d\n", status);
    return elapsed;
}

} // namespace

int main() {
    if (!qx::test::NginxServer::Available()) {
        std::fprintf(stderr, "%s is missing (install nginx-light)\n",
                     qx::test::NginxServer::kBinary);
        return 1;
    }
    qx::test::NginxServer nginx(kPorts);
    if (!nginx.Running()) {
        std::fprintf(stderr, "nginx did not start\n");
        return 1;
    }
    for (int i = 0; i < kReferences / kPorts; ++i)
        nginx.Put("/f" + std::to_string(i) + ".html", "<html>page</html>", kFileTime);
    const std::string folder = nginx.Root() + "/..";
    std::vector<std::string> urls;
    for (int i = 0; i < kReferences; ++i)
        urls.push_back(url(nginx, i));
    const double theirs = curl(urls, kThreads, folder);
    int unchanged = 0;
    const double ourtime = ours(urls, kThreads, folder, unchanged);
    std::printf("checker: %d references over %d ports, %d at a time, all 304 (%d unchanged)\n",
                kReferences, kPorts, kThreads, unchanged);
    std::printf("checks/s ours/curl: %.2f (goal >= 0.5)\n", theirs / ourtime);

    qx::test::DelayedHttpServer slow(kLatencyMs);
    std::vector<std::string> slowUrls;
    for (int i = 0; i < kLatencyReferences; ++i)
        slowUrls.push_back(slow.url("/p" + std::to_string(i)));
    const double theirsSlow = curl(slowUrls, kLatencyThreads, folder);
    int unchangedSlow = 0;
    const double oursSlow = ours(slowUrls, kLatencyThreads, folder, unchangedSlow);
    std::printf("checker: %d references, every answer after %d ms, %d at a time (%d unchanged)\n",
                kLatencyReferences, kLatencyMs, kLatencyThreads, unchangedSlow);
    std::printf("checks/s ours/curl under latency: %.2f (goal >= 0.9)\n", theirsSlow / oursSlow);
    return unchanged == kReferences && unchangedSlow == kLatencyReferences ? 0 : 1;
}
