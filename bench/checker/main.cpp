// The reference checker against curl: 10 000 references spread over 20
// loopback ports of one nginx, every file answering 304 to the stored date,
// checked through the real job board and CheckThreads with "maxthreads" 16
// and no per-host limit; in the same run, curl --parallel --parallel-max 16
// over the same addresses with the same If-Modified-Since header. Prints our
// checks per second over curl's.

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

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

std::string url(const qx::test::NginxServer& nginx, int i) {
    return nginx.Url("/f" + std::to_string(i / kPorts) + ".html", i % kPorts);
}

// Our run: the checks and how many came back unchanged.
double ours(const qx::test::NginxServer& nginx, const std::string& folder, int& unchanged) {
    qx::DDoc doc;
    qx::platform::SystemTime date;
    qx::platform::fileTimeToSystemTime(qx::platform::fileTimeFromUnix(kFileTime), date);
    for (int i = 0; i < kReferences; ++i) {
        const std::string address = url(nginx, i);
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
    options.checkThreads = kThreads;
    options.checksPerHost = 0;
    qx::ApplicationProfile profile(folder + "/qxseek.INI");
    qx::JobLoop loop(options, profile);
    qx::Checker checker(doc, loop.Board(), language, options);
    const auto start = Clock::now();
    checker.CheckSubtree(doc.orgroot());
    loop.Run();
    const double elapsed = seconds(start);
    unchanged = 0;
    for (int i = 0; i < kReferences; ++i)
        unchanged += (doc.finddomainnode(url(nginx, i))->flags() & qx::Ref::kCheckState) ==
                     qx::Ref::CheckUnchanged;
    return elapsed;
}

double curl(const qx::test::NginxServer& nginx, const std::string& folder) {
    const std::string config = folder + "/curl.conf";
    {
        std::ofstream out(config);
        for (int i = 0; i < kReferences; ++i)
            out << "url = \"" << url(nginx, i) << "\"\noutput = \"/dev/null\"\n";
    }
    qx::platform::SystemTime date;
    qx::platform::fileTimeToSystemTime(qx::platform::fileTimeFromUnix(kFileTime), date);
    const std::string command =
        "curl -s --no-progress-meter --parallel --parallel-max " + std::to_string(kThreads) +
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
    const double theirs = curl(nginx, folder);
    int unchanged = 0;
    const double ourtime = ours(nginx, folder, unchanged);
    std::printf("checker: %d references over %d ports, maxthreads %d, all 304 (%d unchanged)\n",
                kReferences, kPorts, kThreads, unchanged);
    std::printf("checks/s ours/curl: %.2f\n", theirs / ourtime);
    return unchanged == kReferences ? 0 : 1;
}
