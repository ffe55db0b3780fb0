#pragma once

#include "model/RefTree.h"
#include "model/ViewItem.h"

#include <cstdint>
#include <memory>

namespace qx {

// The image of a node in the view's image list, and whether it is drawn dimmed.
struct RefIcon {
    int image = 0;
    bool dimmed = false;
};

// The small state image of a node; kind 0 means none.
struct RefStateIcon {
    int image = 0;
    int kind = 0;
};

// A reference node with its flag words and its item in a view.
class Ref : public RefTree {
public:
    // The flag word. Bits outside kStoredFlags live only while the document is
    // open.
    enum : std::uint16_t {
        Expanded = 0x0001,
        New = 0x0002,
        Hidden = 0x0004,
        SavedSearch = 0x0010,
        Running = 0x0020,        // a search of this saved search waits or runs
        HiddenChildren = 0x0040, // hidden because all its children are
        Checking = 0x0080,       // being checked now
        Changed = 0x0100,
        Seen = 0x0200,           // found again, unchanged, since the document was opened
        CheckUnchanged = 0x1000, // the check state: at most one of these four
        CheckError = 0x2000,
        CheckChanged = 0x4000,
        CheckNotFound = 0x8000,
    };
    static constexpr std::uint16_t kStoredFlags = 0xF157;
    static constexpr std::uint16_t kCheckState = 0xF000;
    static constexpr std::uint16_t kHiddenFlags = Hidden | HiddenChildren;
    // The second flag word: some node below this one is being checked.
    static constexpr std::uint16_t kChildChecking = 0x0080;

    explicit Ref(const Str& name = {});
    // Releases the target's count.
    ~Ref() override;

    std::uint16_t flags() const { return flags_; }
    bool hasflags(std::uint16_t bits) const { return (flags_ & bits) != 0; }
    // The view item hears of a change of the hidden marks.
    void setflags(std::uint16_t flags) {
        const std::uint16_t before = flags_;
        flags_ = flags;
        if (viewitem_ && ((before ^ flags_) & kHiddenFlags))
            viewitem_->hiddenchanged();
    }
    void addflags(std::uint16_t bits) { setflags(static_cast<std::uint16_t>(flags_ | bits)); }
    void clearflags(std::uint16_t bits) { setflags(static_cast<std::uint16_t>(flags_ & ~bits)); }
    std::uint16_t flags2() const { return flags2_; }
    void setflags2(std::uint16_t flags) { flags2_ = flags; }

    ViewItem* viewitem() const { return viewitem_; }
    void setviewitem(ViewItem* item) { viewitem_ = item; }

    // Renames the node and refreshes its view item's text.
    void setname(const Str& name);
    // Sets the target without counting it: the caller adds the reference.
    void settarget(Object* target) { target_ = target; }
    // Copies both flag words to a node that replaces this one.
    void copyflags(Ref& to) const;
    // Gives the view item the node's current label, when there is an item.
    void updateview() const;

    // A new node of the same class with the same name, flag words and class
    // data, without children, target or view item; null for classes that are
    // not copied this way (roots and domain-tree nodes).
    virtual std::unique_ptr<Ref> clone() const;
    // Hidden nodes show only while hidden references are shown; then a node
    // shows when it is a saved search, or new, or not only new ones are shown.
    virtual bool isvisible() const;
    // Not-found 10, new 5, changed 3, seen again 4, else 2; not dimmed.
    virtual RefIcon icon() const;
    // Being checked (here or below) (0, 2); not found or error (1, 2);
    // unchanged (2, 2); changed (3, 2); else none.
    virtual RefStateIcon stateicon() const;

    int write(owstream& out, RefResolver& resolver) const override;
    int read(iwstream& in, int version, RefResolver& resolver) override;
    void dumpself(otwstream& out) const override;

protected:
    // Copies the name and both flag words into a fresh clone.
    void copyinto(Ref& copy) const;
    void fixupnode(RefResolver& resolver) override;

private:
    // The flags first: they fill the four bytes the base leaves free after the
    // loaded identifier, and every node of a document is eight bytes smaller.
    std::uint16_t flags_ = 0;
    std::uint16_t flags2_ = 0;
    ViewItem* viewitem_ = nullptr;
};

} // namespace qx
