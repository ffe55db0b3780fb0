#pragma once

#include <cstddef>
#include <cstdlib>
#include <string_view>

namespace qx {

class iwstream;

// The owning text type: bytes on the heap with a terminator after them. No text
// and an empty text are the same null value. Copying duplicates the bytes. The
// length is kept, so texts read from a stream may hold NUL bytes of their own.
// Storage comes from malloc: a failed allocation leaves the text null instead
// of throwing. A text read from a stream while an Arena scope is open takes
// its bytes from that arena instead and never frees them; copying or moving
// such a text makes an owned copy, so a text never outlives the bytes it
// shows.
class Str {
public:
    Str() = default;
    Str(const char* text);
    Str(const char* text, std::size_t length);
    Str(std::string_view text);
    Str(const Str& other);
    Str(Str&& other) noexcept;
    Str& operator=(const Str& other);
    Str& operator=(Str&& other) noexcept;
    ~Str() { release(); }

    // Null when the text is empty.
    const char* get() const { return text_; }
    // Never null: "" when the text is empty.
    const char* c_str() const { return text_ ? text_ : ""; }
    std::size_t length() const { return length_ & ~kBorrowed; }
    bool empty() const { return length() == 0; }
    std::string_view view() const { return {c_str(), length()}; }
    void clear();

    friend bool operator==(const Str& a, const Str& b) { return a.view() == b.view(); }

private:
    friend iwstream& operator>>(iwstream& in, Str& text);

    // The top bit of length_: the bytes belong to an arena, not to this text.
    static constexpr std::size_t kBorrowed = ~(~std::size_t{0} >> 1);

    // Replaces the text by room for length bytes plus the terminator (already
    // stored), from the arena of the open scope when asked and there is one;
    // null when the allocation fails.
    char* allocate(std::size_t length, bool inarena = false);
    void release();

    char* text_ = nullptr;
    std::size_t length_ = 0;
};

} // namespace qx
