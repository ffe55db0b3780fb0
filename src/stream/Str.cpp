#include "stream/Str.h"

#include "stream/Arena.h"

#include <cstring>
#include <utility>

namespace qx {

Str::Str(const char* text) : Str(text, text ? std::strlen(text) : 0) {}

Str::Str(std::string_view text) : Str(text.data(), text.size()) {}

Str::Str(const char* text, std::size_t length) {
    if (!text || length == 0)
        return;
    if (char* room = allocate(length))
        std::memcpy(room, text, length);
}

Str::Str(const Str& other) : Str(other.get(), other.length()) {}

Str::Str(Str&& other) noexcept {
    *this = std::move(other);
}

Str& Str::operator=(const Str& other) {
    if (this != &other)
        *this = Str(other);
    return *this;
}

Str& Str::operator=(Str&& other) noexcept {
    if (this == &other)
        return *this;
    if (other.length_ & kBorrowed) {
        // The arena's bytes stay where they are: the moved text may live
        // longer than the arena.
        *this = Str(other.view());
        other.clear();
        return *this;
    }
    release();
    text_ = std::exchange(other.text_, nullptr);
    length_ = std::exchange(other.length_, 0);
    return *this;
}

void Str::clear() {
    release();
}

void Str::release() {
    if (!(length_ & kBorrowed))
        std::free(text_);
    text_ = nullptr;
    length_ = 0;
}

char* Str::allocate(std::size_t length, bool inarena) {
    if (text_)
        release();
    Arena* arena = inarena ? Arena::current() : nullptr;
    auto* room =
        static_cast<char*>(arena ? arena->allocate(length + 1, 1) : std::malloc(length + 1));
    if (!room)
        return nullptr;
    room[length] = '\0';
    text_ = room;
    length_ = arena ? length | kBorrowed : length;
    return room;
}

} // namespace qx
