// Files distinct addresses into an empty document and prints the time per
// address of each size as a ratio to the smallest: filing must stay close to
// constant per address as hosts and their pages grow (a ratio that grows with
// the size means scans of the children).
//
// Each measurement runs in a child process of its own, so that every document
// starts on a fresh heap (a heap left over from a larger run makes the next
// small one look cheaper than it is), and counts processor time, not wall
// time, so that other work on the machine counts less; each figure is the
// median of a few runs.
#include "model/DDoc.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Size {
    std::size_t addresses;
    std::size_t hosts;
    int runs;
};

// Addresses in a scattered order: host, a section, a page; every address
// distinct, hosts visited at random.
std::vector<std::string> addresses(const Size& size) {
    std::vector<std::string> urls;
    urls.reserve(size.addresses);
    std::uint64_t state = 88172645463325252ull;
    for (std::size_t i = 0; i < size.addresses; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const std::size_t host = state % size.hosts;
        urls.push_back("http://www.host" + std::to_string(host) + ".example/section" +
                       std::to_string(state / size.hosts % 8) + "/page" + std::to_string(i) +
                       ".html");
    }
    return urls;
}

double secondsPerAddress(const Size& size, int sortservers) {
    const std::vector<std::string> urls = addresses(size);
    qx::DDoc doc;
    doc.setsortservers(sortservers);
    const std::clock_t start = std::clock();
    for (const std::string& url : urls) {
        if (!doc.filedomainnode(url))
            return -1;
    }
    const double took = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    return took / static_cast<double>(size.addresses);
}

// One measurement in a child process; negative when it failed.
double measure(const Size& size, int sortservers) {
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const double seconds = secondsPerAddress(size, sortservers);
        const bool sent = write(channel[1], &seconds, sizeof seconds) == sizeof seconds;
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    double seconds = -1;
    if (child < 0 || read(channel[0], &seconds, sizeof seconds) != sizeof seconds)
        seconds = -1;
    close(channel[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return seconds;
}

double median(const Size& size, int sortservers) {
    std::vector<double> runs;
    for (int i = 0; i < size.runs; ++i) {
        const double seconds = measure(size, sortservers);
        if (seconds <= 0) {
            std::fprintf(stderr, "filing %zu addresses failed\n", size.addresses);
            std::exit(1);
        }
        runs.push_back(seconds);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main() {
    const Size sizes[] = {{10'000, 1'000, 5}, {100'000, 10'000, 3}, {1'000'000, 50'000, 3}};
    const char* orders[] = {"by name", "by host", "by count"};
    bool ok = true;
    for (int sortservers : {0, 1, 2}) {
        const double base = median(sizes[0], sortservers);
        std::printf("hosts %s:\n", orders[sortservers]);
        for (const Size& size : sizes) {
            const double ratio = &size == &sizes[0] ? 1.0 : median(size, sortservers) / base;
            std::printf("  %8zu addresses over %6zu hosts: time per address %.2f x that of 10k\n",
                        size.addresses, size.hosts, ratio);
            std::fflush(stdout);
            ok = ok && ratio < 3.0;
        }
    }
    std::printf(ok ? "every ratio under 3\n" : "a ratio reached 3 or more\n");
    return ok ? 0 : 1;
}
