#include "model/LabelTexts.h"

#include <atomic>

namespace qx {

namespace {

class NoTexts final : public LabelTexts {
public:
    Str text(int) const override { return {}; }
    bool showhidden() const override { return false; }
    bool shownew() const override { return false; }
};

const NoTexts kNoTexts;
std::atomic<const LabelTexts*> gInstalled{nullptr};

} // namespace

LabelTexts::~LabelTexts() = default;

const LabelTexts& LabelTexts::current() {
    const LabelTexts* texts = gInstalled.load(std::memory_order_acquire);
    return texts ? *texts : kNoTexts;
}

void LabelTexts::install(const LabelTexts* texts) {
    gInstalled.store(texts, std::memory_order_release);
}

} // namespace qx
