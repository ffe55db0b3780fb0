// Numbering the objects of a document when it is written: every object once in
// container order, then every node's target. Measures the container's idof
// against a plain hash map doing the same numbering, in one run.

#include "model/Container.h"
#include "model/Object.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t kObjects = 1'000'000;
constexpr std::size_t kReferences = 2'000'000;
constexpr int kRounds = 5;

// The smallest object a container holds: only its address matters here.
class Bare : public qx::ContainerObject {
public:
    qx::Str label() const override { return {}; }
    int write(qx::owstream&, qx::RefResolver&) const override { return 0; }
    int read(qx::iwstream&, int, qx::RefResolver&) override { return 0; }
};

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

} // namespace

int main() {
    std::vector<std::unique_ptr<Bare>> objects;
    objects.reserve(kObjects);
    for (std::size_t i = 0; i < kObjects; ++i) {
        objects.push_back(std::make_unique<Bare>());
    }
    // Nodes refer to objects in no particular order.
    std::mt19937 random(12345);
    std::vector<qx::ContainerObject*> references(kReferences);
    for (auto& r : references) {
        r = objects[random() % kObjects].get();
    }

    qx::DefRefResolver resolver;
    double ours = 1e9, baseline = 1e9;
    std::uint64_t checkOurs = 0, checkBase = 0;
    for (int round = 0; round < kRounds; ++round) {
        Clock::time_point start = Clock::now();
        resolver.beginwrite();
        std::uint64_t sum = 0;
        for (const auto& o : objects) {
            sum += resolver.idof(o.get());
        }
        for (qx::ContainerObject* r : references) {
            sum += resolver.idof(r);
        }
        resolver.beginwrite();
        ours = std::min(ours, seconds(start));
        checkOurs = sum;

        start = Clock::now();
        {
            std::unordered_map<const qx::ContainerObject*, std::uint32_t> ids;
            std::uint64_t sumBase = 0;
            auto idof = [&ids](const qx::ContainerObject* p) -> std::uint32_t {
                const auto next = static_cast<std::uint32_t>(ids.size() + 1);
                return ids.try_emplace(p, next).first->second;
            };
            for (const auto& o : objects) {
                sumBase += idof(o.get());
            }
            for (qx::ContainerObject* r : references) {
                sumBase += idof(r);
            }
            checkBase = sumBase;
        }
        baseline = std::min(baseline, seconds(start));
    }
    if (checkOurs != checkBase) {
        std::printf("identifiers differ from the baseline's\n");
        return 1;
    }
    const double ratio = ours / baseline;
    std::printf("idof: %zu objects + %zu references, best of %d rounds\n", kObjects, kReferences,
                kRounds);
    std::printf("ratio idof / std::unordered_map = %.2f (limit 1.50)\n", ratio);
    return ratio <= 1.5 ? 0 : 2;
}
