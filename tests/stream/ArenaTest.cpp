#include "stream/Arena.h"
#include "stream/ArenaPlaced.h"
#include "stream/Str.h"
#include "stream/memwstream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace qx {
namespace {

TEST(Arena, HandsOutAlignedRoomThatDoesNotOverlap) {
    Arena arena;
    std::vector<std::pair<char*, std::size_t>> pieces;
    // Odd sizes and alignments, a piece larger than any chunk, then more
    // small ones after it.
    for (std::size_t i = 0; i < 20000; ++i) {
        const std::size_t bytes = i == 5000 ? 20 * 1024 * 1024 : 1 + i % 97;
        const std::size_t alignment = std::size_t{1} << (i % 5);
        auto* piece = static_cast<char*>(arena.allocate(bytes, alignment));
        ASSERT_NE(piece, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(piece) % alignment, 0u);
        std::memset(piece, static_cast<int>(i), bytes);
        pieces.emplace_back(piece, bytes);
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto [piece, bytes] = pieces[i];
        EXPECT_EQ(piece[0], static_cast<char>(i));
        EXPECT_EQ(piece[bytes - 1], static_cast<char>(i));
    }
    EXPECT_GE(arena.footprint(), 20u * 1024 * 1024);
}

TEST(Arena, ScopesNestAndBelongToOneThread) {
    Arena outer;
    Arena inner;
    EXPECT_EQ(Arena::current(), nullptr);
    {
        Arena::Scope a(outer);
        EXPECT_EQ(Arena::current(), &outer);
        {
            Arena::Scope b(inner);
            EXPECT_EQ(Arena::current(), &inner);
            Arena* elsewhere = &outer;
            std::thread([&] { elsewhere = Arena::current(); }).join();
            EXPECT_EQ(elsewhere, nullptr);
        }
        EXPECT_EQ(Arena::current(), &outer);
    }
    EXPECT_EQ(Arena::current(), nullptr);
}

struct Placed : ArenaPlaced {
    explicit Placed(int* alive) : alive(alive) { ++*alive; }
    virtual ~Placed() { --*alive; }
    int* alive;
    char payload[40] = {};
};

struct Larger : Placed {
    using Placed::Placed;
    std::string text = std::string(100, 'x');
};

TEST(ArenaPlaced, ObjectsGoWhereTheScopeSaysAndDeleteEitherWay) {
    int alive = 0;
    Arena arena;
    std::unique_ptr<Placed> before = std::make_unique<Placed>(&alive);
    std::unique_ptr<Placed> inside;
    std::unique_ptr<Placed> derived;
    {
        Arena::Scope scope(arena);
        const std::size_t used = arena.footprint();
        inside = std::make_unique<Placed>(&alive);
        derived = std::make_unique<Larger>(&alive);
        EXPECT_GT(arena.footprint(), used);
    }
    std::unique_ptr<Placed> after = std::make_unique<Placed>(&alive);
    EXPECT_EQ(alive, 4);
    for (const Placed* object : {before.get(), inside.get(), derived.get(), after.get()}) {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(object) % alignof(Placed), 0u);
    }
    const std::size_t footprint = arena.footprint();
    // Deleting through the base runs the whole destructor: the string of the
    // derived object goes back to the heap (a leak checker would see it).
    derived.reset();
    inside.reset();
    before.reset();
    after.reset();
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(arena.footprint(), footprint);
}

// Reads a text in its stream form while an arena scope is open.
Str readInArena(Arena& arena, const std::string& text) {
    std::string bytes{static_cast<char>(text.size()), '\0'};
    bytes += text;
    memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    Str read;
    Arena::Scope scope(arena);
    in >> read;
    EXPECT_TRUE(in.good());
    return read;
}

TEST(Str, TextsReadInAnArenaNeverOutliveItThroughCopiesOrMoves) {
    Str copied;
    Str moved;
    Str assigned("old");
    {
        Arena arena;
        Str read = readInArena(arena, "http://example.org/");
        EXPECT_EQ(read.view(), "http://example.org/");
        EXPECT_EQ(read.length(), 19u);
        EXPECT_EQ(read.get()[19], '\0');
        copied = read;
        assigned = readInArena(arena, "title");
        Str other = readInArena(arena, "moved away");
        moved = std::move(other);
        EXPECT_TRUE(other.empty());
        // Clearing or replacing a borrowed text frees nothing it does not own.
        read.clear();
        read = Str("owned now");
        EXPECT_EQ(read.view(), "owned now");
    }
    // The arena is gone: every text above took bytes of its own.
    EXPECT_EQ(copied.view(), "http://example.org/");
    EXPECT_EQ(assigned.view(), "title");
    EXPECT_EQ(moved.view(), "moved away");
}

TEST(Str, TextsMadeInAnArenaScopeButNotReadOwnTheirBytes) {
    Arena arena;
    Str made;
    {
        Arena::Scope scope(arena);
        made = Str("made, not read");
    }
    EXPECT_EQ(arena.footprint(), 0u);
    EXPECT_EQ(made.view(), "made, not read");
}

} // namespace
} // namespace qx
