#pragma once

#include <cstddef>

namespace qx {

// A base that places the objects of a class in the arena of the scope open on
// the creating thread (Arena::Scope), and on the heap otherwise. Deleting
// works the same for both: an object in an arena is destroyed, and its memory
// comes back with the arena.
//
// Each object carries a small header saying where it lives, so a class may
// mix both kinds freely; objects are aligned to 8 bytes, which is all the
// classes that use it need.
class ArenaPlaced {
public:
    static void* operator new(std::size_t size);
    static void operator delete(void* object);
};

} // namespace qx
