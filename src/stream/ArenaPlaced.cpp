#include "stream/ArenaPlaced.h"

#include "stream/Arena.h"

#include <cstdint>
#include <new>

namespace qx {

namespace {

// Eight bytes, so that the object after it is aligned as the classes need.
struct alignas(8) Header {
    std::uint32_t size;   // of the object, for poisoning it when it goes
    std::uint32_t placed; // 1 in an arena, 0 on the heap
};
static_assert(sizeof(Header) == 8);

} // namespace

void* ArenaPlaced::operator new(std::size_t size) {
    void* block = nullptr;
    std::uint32_t placed = 0;
    if (Arena* arena = Arena::current(); arena && size <= UINT32_MAX) {
        block = arena->allocate(sizeof(Header) + size, alignof(Header));
        placed = block ? 1 : 0;
    }
    if (!block) {
        block = ::operator new(sizeof(Header) + size);
    }
    auto* header = static_cast<Header*>(block);
    *header = {static_cast<std::uint32_t>(size), placed};
    return header + 1;
}

void ArenaPlaced::operator delete(void* object) {
    if (!object) {
        return;
    }
    Header* header = static_cast<Header*>(object) - 1;
    if (header->placed) {
        Arena::giveup(header, sizeof(Header) + header->size);
    } else {
        ::operator delete(header);
    }
}

} // namespace qx
