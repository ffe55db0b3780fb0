// Files search results into a saved search as the search run does and prints
// the time per result at 100 000 results as a ratio to the time at 1 000 (it
// must stay near 1: no step of filing may scan the search's results), and as a
// ratio to the plain filing of the same addresses (the domain-tree node and a
// result node under the search, nothing else).
//
// The items are those a module would deliver for three engines at once over
// 1 000 hosts: one in ten found by another engine too, one in ten a level-2
// result under a heading of its own.
#include "model/DDoc.h"
#include "model/FindInfo.h"
#include "model/OrgProp.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "search/QuietSearchSide.h"
#include "search/ResultFiler.h"
#include "search/SearchRunState.h"
#include "search/WSearchInfo.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr int kEngines = 3;
constexpr std::array<std::uint32_t, kEngines> kBits = {1, 2, 4};

struct Item {
    int engine;
    qx::WSearchInfo info;
};

std::string address(std::size_t i) {
    return "http://www.host" + std::to_string(i % 1000) + ".example/s" +
           std::to_string(i / 1000 % 8) + "/page" + std::to_string(i) + ".html";
}

// The engines' items interleaved, as their workers deliver them at once.
std::vector<Item> items(std::size_t results) {
    std::vector<Item> out;
    const std::size_t each = results / kEngines;
    for (std::size_t k = 0; k < each; ++k) {
        for (int e = 0; e < kEngines; ++e) {
            const auto sequence = static_cast<std::uint32_t>(k + 1);
            auto make = [&](std::uint32_t level, const std::string& title, const std::string& url) {
                qx::WSearchInfo info;
                info.server = kBits[e];
                info.level = level;
                info.title = qx::Str(title);
                info.url = qx::Str(url);
                info.sequence = sequence;
                info.fitness = static_cast<std::uint32_t>((k * 7 + e) % 1000);
                out.push_back({e, std::move(info)});
            };
            const std::size_t own = k * kEngines + e;
            if (k % 10 == 7 && k > kEngines) {
                // Found by the previous engine a little earlier.
                const std::size_t other = (k - 1) * kEngines + (e + kEngines - 1) % kEngines;
                make(1, "Title " + std::to_string(other), address(other));
            } else if (k % 10 == 5) {
                make(1, "Heading " + std::to_string(own), "");
                make(2, "", address(own));
            } else {
                make(1, "Title " + std::to_string(own), address(own));
            }
        }
    }
    return out;
}

double searchfiling(const std::vector<Item>& list) {
    qx::DDoc doc;
    qx::QuietSearchSide quiet;
    qx::ResultFiler filer(doc, quiet, quiet);
    qx::SearchRef& search = doc.createsearch({}, doc.orgroot(), nullptr);
    qx::FindInfo request;
    std::array<qx::SearchRunState, kEngines> runs;
    for (auto& run : runs)
        run.search = &search;
    const std::clock_t start = std::clock();
    for (const Item& item : list)
        filer.file(item.info, runs[static_cast<std::size_t>(item.engine)], request);
    doc.commit();
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

double plainfiling(const std::vector<Item>& list) {
    qx::DDoc doc;
    qx::SearchRef& search = doc.createsearch({}, doc.orgroot(), nullptr);
    const std::clock_t start = std::clock();
    for (const Item& item : list) {
        if (item.info.url.empty())
            continue;
        qx::UrlRef* node = doc.filedomainnode(item.info.url.view());
        if (!node)
            return -1;
        const qx::OrgProp prop{static_cast<std::uint16_t>(item.info.fitness),
                               static_cast<std::uint16_t>(item.info.sequence)};
        doc.createresult(node->target(), &prop, search, nullptr, false);
    }
    doc.commit();
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    // A smaller large size may be given, to look for a quadratic step quickly.
    const std::size_t size = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const std::vector<Item> small = items(1000);
    const std::vector<Item> large = items(size);
    std::vector<double> smallruns, plainruns, smallplainruns;
    for (int i = 0; i < 15; ++i) {
        smallruns.push_back(searchfiling(small) / static_cast<double>(small.size()));
        smallplainruns.push_back(plainfiling(small) / static_cast<double>(small.size()));
    }
    const double largetime = searchfiling(large);
    for (int i = 0; i < 3; ++i)
        plainruns.push_back(plainfiling(large));
    const double perresult = largetime / static_cast<double>(large.size());
    const double plain = median(plainruns) / static_cast<double>(large.size());
    std::printf("search filing per result, %zu against 1000: %.2f (goal < 2)\n", large.size(),
                perresult / median(smallruns));
    // What the document alone loses per address at the larger size (memory
    // no longer in the caches): the part of the first ratio filing does not add.
    std::printf("plain filing per address, %zu against 1000: %.2f\n", large.size(),
                plain / median(smallplainruns));
    std::printf("search filing against plain filing of the same addresses: %.2f (goal <= 3)\n",
                perresult / plain);
    return 0;
}
