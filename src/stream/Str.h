#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace qx {

class iwstream;

// The owning text type: bytes on the heap with a terminator after them. No text
// and an empty text are the same null value. Copying duplicates the bytes. The
// length is kept, so texts read from a stream may hold NUL bytes of their own.
// Storage comes from malloc: a failed allocation leaves the text null instead
// of throwing.
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
    ~Str() = default;

    // Null when the text is empty.
    const char* get() const { return text_.get(); }
    // Never null: "" when the text is empty.
    const char* c_str() const { return text_ ? text_.get() : ""; }
    std::size_t length() const { return length_; }
    bool empty() const { return length_ == 0; }
    std::string_view view() const { return {c_str(), length_}; }
    void clear();

    friend bool operator==(const Str& a, const Str& b) { return a.view() == b.view(); }

private:
    friend iwstream& operator>>(iwstream& in, Str& text);

    // Replaces the text by room for length bytes plus the terminator (already
    // stored); null when the allocation fails.
    char* allocate(std::size_t length);

    struct Free {
        void operator()(char* p) const { std::free(p); }
    };
    std::unique_ptr<char, Free> text_;
    std::size_t length_ = 0;
};

} // namespace qx
