#pragma once

#include <cstddef>

namespace qx {

// Memory for the many small pieces a document is made of (pages, tree nodes,
// their texts), handed out from large chunks by moving a pointer, and given
// back all at once when the arena goes. A loaded document of a million pages
// is millions of such pieces: taking each from the heap costs a header and a
// trip through the allocator, and freeing them one by one costs as much again.
//
// Pieces are placed here only while a Scope of the arena is open on the
// thread: the code that creates them (stream operators, builders) does not
// need to know where they go. Whoever opens the scope guarantees that
// everything made in it dies before the arena does.
class Arena {
public:
    Arena() = default;
    ~Arena();
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // Room for bytes at the given alignment (a power of two, at most 16);
    // null when memory runs out.
    void* allocate(std::size_t bytes, std::size_t alignment);
    // Marks a piece as given up. Its memory comes back with the arena only;
    // under AddressSanitizer it is poisoned, so a use after the owner let go
    // is still reported.
    static void giveup(void* piece, std::size_t bytes);
    // The bytes of all chunks taken from the heap.
    std::size_t footprint() const { return footprint_; }

    // The arena of the innermost open scope on this thread, or null.
    static Arena* current() { return current_; }

    // Opens the arena for the pieces made on this thread until it closes.
    class Scope {
    public:
        explicit Scope(Arena& arena);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Arena* previous_;
    };

private:
    static inline thread_local Arena* current_ = nullptr;

    struct Chunk {
        Chunk* next;
        std::size_t size;
    };
    // Starts a chunk that holds at least bytes after its header; false when
    // memory runs out.
    bool grow(std::size_t bytes);

    Chunk* chunks_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    std::size_t chunksize_ = 0; // of the next chunk
    std::size_t footprint_ = 0;
};

} // namespace qx
