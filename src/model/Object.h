#pragma once

#include "model/ContainerObject.h"
#include "model/ObjectProp.h"
#include "model/SearchKey.h"

#include <cstdint>

namespace qx {

// One web page of a document, held once in the document's Container and
// referred to by any number of reference nodes, which count themselves in
// refcounter.
class Object : public ContainerObject {
public:
    // Object flags.
    enum : std::uint16_t {
        Created = 0x02,   // made by the system itself (path nodes, results without address)
        Hidden = 0x04,    // its domain-tree node was hidden when a search filed it
        Confirmed = 0x08, // its properties came from the web
        Reserved = 0x10,  // stored and loaded, no meaning of its own
    };
    // The flags a document stores.
    static constexpr std::uint16_t kStoredFlags = 0x1E;
    // Change mask: the user replaced the properties.
    static constexpr std::uint32_t kPropsChanged = 0x02;

    Object();
    explicit Object(const ObjectProp& props);

    const ObjectProp& props() const { return props_; }
    // Replaces every property and recomputes both keys.
    void setprops(const ObjectProp& props);
    void seturl(const Str& url);
    // Takes in the properties of a page reported again by a search or a check:
    // 2 when the new record has an address and this object's properties never
    // came from the web (the record replaces them and the object is confirmed);
    // else the server marks are joined and, when the new record is newer, its
    // non-empty fields taken: 1 when newer, 0 otherwise.
    int mergeprops(const ObjectProp& newer);

    std::uint16_t flags() const { return flags_; }
    bool hasflags(std::uint16_t bits) const { return (flags_ & bits) != 0; }
    void setflags(std::uint16_t flags) { flags_ = flags; }
    void addflags(std::uint16_t bits) { flags_ |= bits; }
    void clearflags(std::uint16_t bits) { flags_ &= static_cast<std::uint16_t>(~bits); }

    std::uint32_t changemask() const { return changemask_; }
    void addchangemask(std::uint32_t bits) { changemask_ |= bits; }
    void clearchangemask() { changemask_ = 0; }

    // The number of reference nodes whose target this object is. Whoever sets
    // a node's target adds a reference; a node releases it when destroyed.
    std::uint32_t refcounter() const { return refcounter_; }
    void addref() { ++refcounter_; }
    void release();

    const SearchKey& urlkey() const { return urlkey_; }
    const SearchKey& titlekey() const { return titlekey_; }
    // The address key when the address hashes to non-zero, else the title key:
    // two objects are the same page when their identity keys are equal.
    const SearchKey& identitykey() const;

    Str label() const override;
    void dump(otwstream& out) const override;
    int write(owstream& out, RefResolver& resolver) const override;
    int read(iwstream& in, int version, RefResolver& resolver) override;
    const SearchKey* indexkey() const override;
    Object* asobject() override;
    // A page has nothing to resolve after a load; a class derived from it may.
    bool needsfixup() const override;

private:
    void rekey();

    // The count first: resolving a loaded tree adds to the counts of pages
    // scattered over memory, and with the count on the same cache line as
    // the object's start, one line per page comes in, not two.
    std::uint32_t refcounter_ = 0;
    std::uint16_t flags_ = 0;
    std::uint32_t changemask_ = 0;
    ObjectProp props_;
    SearchKey urlkey_;
    SearchKey titlekey_;
};

} // namespace qx
