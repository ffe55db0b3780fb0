#include "model/LabelTexts.h"

namespace qx {

namespace {

class NoTexts final : public LabelTexts {
public:
    Str text(int) const override { return {}; }
    bool showhidden() const override { return false; }
    bool shownew() const override { return false; }
};

const NoTexts kNoTexts;

} // namespace

LabelTexts::~LabelTexts() = default;

const LabelTexts& LabelTexts::none() {
    return kNoTexts;
}

} // namespace qx
