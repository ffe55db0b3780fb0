#include "settings/Separators.h"

#include "settings/ApplicationProfile.h"

#include <algorithm>

namespace qx {

namespace {
constexpr const char* kSection = "Options";
}

void Separators::load(const ApplicationProfile& profile) {
    first = profile.readInt(kSection, "Separator1", kDefaultFirst);
    second = profile.readInt(kSection, "Separator2", kDefaultSecond);
}

int Separators::storeFirst(ApplicationProfile& profile, int perMille) {
    first = std::clamp(perMille, 100, 900);
    profile.writeInt(kSection, "Separator1", first);
    return first;
}

int Separators::storeSecond(ApplicationProfile& profile, int perMille) {
    second = std::clamp(perMille, 100, 950);
    profile.writeInt(kSection, "Separator2", second);
    return second;
}

} // namespace qx
