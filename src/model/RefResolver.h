#pragma once

#include <cstdint>

namespace qx {

class ContainerObject;
class iwstream;
class owstream;

// Turns object pointers into the identifiers a document stores and back.
// Writing: beginwrite, then idof for every object and every node's target.
// Reading: beginread, addloaded for every object read, endread, then resolve
// for every stored target identifier.
//
// Identifiers are stored in 16 bits. A document with more objects than that
// can number is written in the wide form, where they take 32 bits; setwide
// tells the resolver which form the stream being written or read has.
class RefResolver {
public:
    virtual ~RefResolver();

    virtual void beginwrite() = 0;
    // 0 for null; the identifier given before, or the next one (1, 2, 3 ... in
    // the order of first requests).
    virtual std::uint32_t idof(ContainerObject* object) = 0;
    virtual void beginread() = 0;
    virtual void addloaded(ContainerObject* object, std::uint32_t id) = 0;
    virtual void endread() = 0;
    // Null for 0 or an identifier no object was loaded with.
    virtual ContainerObject* resolve(std::uint32_t id) = 0;
    // A hint that resolve will soon be asked about the identifier: its entry
    // may be brought into the cache ahead. Nothing by default.
    virtual void prefetch(std::uint32_t id);

    bool wide() const { return wide_; }
    void setwide(bool wide) { wide_ = wide; }
    // An identifier in its stored form. One that the 16-bit form cannot hold
    // is stored as 0: no stored object carries it, so it reads back as no
    // target rather than as the target of another.
    void putid(owstream& out, std::uint32_t id) const;
    std::uint32_t getid(iwstream& in) const;

private:
    bool wide_ = false;
};

} // namespace qx
