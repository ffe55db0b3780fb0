#include "stream/Arena.h"

#include "platform/PageMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define QX_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define QX_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define QX_POISON(p, n) ((void)(p), (void)(n))
#define QX_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace qx {

namespace {

// Chunks start small, so that a document of a few pages costs little, and
// double up to a size where the heap hands them out as mappings of their own
// that go straight back to the system when the arena goes.
constexpr std::size_t kFirstChunk = 64 * 1024;
constexpr std::size_t kLargestChunk = 8 * 1024 * 1024;

} // namespace

Arena::~Arena() {
    while (Chunk* chunk = chunks_) {
        chunks_ = chunk->next;
        QX_UNPOISON(chunk, chunk->size);
        std::free(chunk);
    }
}

void* Arena::allocate(std::size_t bytes, std::size_t alignment) {
    auto at = reinterpret_cast<std::uintptr_t>(next_);
    std::uintptr_t start = (at + alignment - 1) & ~(alignment - 1);
    if (!next_ || bytes > static_cast<std::size_t>(end_ - next_) ||
        start - at > static_cast<std::size_t>(end_ - next_) - bytes) {
        if (!grow(bytes + alignment)) {
            return nullptr;
        }
        at = reinterpret_cast<std::uintptr_t>(next_);
        start = (at + alignment - 1) & ~(alignment - 1);
    }
    auto* piece = reinterpret_cast<char*>(start);
    next_ = piece + bytes;
    QX_UNPOISON(piece, bytes);
    return piece;
}

void Arena::giveup(void* piece, std::size_t bytes) {
    QX_POISON(piece, bytes);
}

bool Arena::grow(std::size_t bytes) {
    chunksize_ = chunksize_ ? std::min(chunksize_ * 2, kLargestChunk) : kFirstChunk;
    const std::size_t size = std::max(chunksize_, bytes + sizeof(Chunk));
    auto* chunk = static_cast<Chunk*>(std::malloc(size));
    if (!chunk) {
        return false;
    }
    // A chunk is filled from its start to its end by the pieces that follow:
    // having the system back it at once costs less than a fault per page.
    platform::populatePages(chunk, size);
    chunk->next = chunks_;
    chunk->size = size;
    chunks_ = chunk;
    footprint_ += size;
    next_ = reinterpret_cast<char*>(chunk + 1);
    end_ = reinterpret_cast<char*>(chunk) + size;
    QX_POISON(next_, static_cast<std::size_t>(end_ - next_));
    return true;
}

Arena::Scope::Scope(Arena& arena) : previous_(current_) {
    current_ = &arena;
}

Arena::Scope::~Scope() {
    current_ = previous_;
}

} // namespace qx
