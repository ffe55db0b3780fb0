#pragma once

#include <cstdint>

namespace qx {

class ContainerObject;

// Turns object pointers into the 16-bit identifiers a document stores and back.
// Writing: beginwrite, then idof for every object and every node's target.
// Reading: beginread, addloaded for every object read, endread, then resolve
// for every stored target identifier.
class RefResolver {
public:
    virtual ~RefResolver();

    virtual void beginwrite() = 0;
    // 0 for null; the identifier given before, or the next one (1, 2, 3 ... in
    // the order of first requests).
    virtual std::uint16_t idof(ContainerObject* object) = 0;
    virtual void beginread() = 0;
    virtual void addloaded(ContainerObject* object, std::uint16_t id) = 0;
    virtual void endread() = 0;
    // Null for 0 or an identifier no object was loaded with.
    virtual ContainerObject* resolve(std::uint16_t id) = 0;
};

} // namespace qx
