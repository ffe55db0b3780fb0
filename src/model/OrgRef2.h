#pragma once

#include "model/OrgProp.h"
#include "model/OrgRef0.h"

#include <cstdint>
#include <string>

namespace qx {

// An organizer-tree folder (no target), reference or search result.
class OrgRef2 : public OrgRef0 {
public:
    // The extra flag word.
    enum : std::uint16_t {
        Group = 0x0001,   // a grouping node the search run made above related results
        Unshown = 0x0002, // a result heading not shown in a view yet: never visible
    };
    static constexpr std::uint16_t kStoredExtraFlags = Group;

    using OrgRef0::OrgRef0;

    const OrgProp& orgprop() const { return orgprop_; }
    void setorgprop(const OrgProp& prop) { orgprop_ = prop; }
    std::uint16_t extraflags() const { return extraflags_; }
    void setextraflags(std::uint16_t flags) { extraflags_ = flags; }

    // A repeated result: the larger fitness, the smaller sequence; the view
    // item's text is refreshed.
    void mergeresult(const OrgProp& prop);

    std::unique_ptr<Ref> clone() const override;
    bool isvisible() const override;
    // Dimmed when it has children or no address to open.
    RefIcon icon() const override;
    // The target's title, or its address when the title is empty or equals the
    // title of the parent's target; then the date and charset of the target.
    // A single blank when all of that is empty. Without a target (a folder):
    // the name, a single blank when it is empty.
    void labelinto(std::string& text) const override;
    // fitness, sequence, the stored extra flags (from version 2 on), then the
    // Ref part.
    int write(owstream& out, RefResolver& resolver) const override;
    int read(iwstream& in, int version, RefResolver& resolver) override;

private:
    OrgProp orgprop_;
    std::uint16_t extraflags_ = 0;
};

} // namespace qx
