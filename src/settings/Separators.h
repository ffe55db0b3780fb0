#pragma once

namespace qx {

class ApplicationProfile;

// The two splitter positions of the main view, per mille, in section "Options":
// "Separator1" the first tree's share of the width, "Separator2" the trees'
// share of the height below the headings.
struct Separators {
    static constexpr int kDefaultFirst = 600;
    static constexpr int kDefaultSecond = 800;

    int first = kDefaultFirst;
    int second = kDefaultSecond;

    void load(const ApplicationProfile& profile);
    // Clamp to 100..900 and 100..950, store at once; return the stored value.
    int storeFirst(ApplicationProfile& profile, int perMille);
    int storeSecond(ApplicationProfile& profile, int perMille);
};

} // namespace qx
