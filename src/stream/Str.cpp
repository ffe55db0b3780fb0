#include "stream/Str.h"

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

Str::Str(Str&& other) noexcept
    : text_(std::move(other.text_)), length_(std::exchange(other.length_, 0)) {}

Str& Str::operator=(const Str& other) {
    if (this != &other)
        *this = Str(other);
    return *this;
}

Str& Str::operator=(Str&& other) noexcept {
    text_ = std::move(other.text_);
    length_ = std::exchange(other.length_, 0);
    return *this;
}

void Str::clear() {
    text_.reset();
    length_ = 0;
}

char* Str::allocate(std::size_t length) {
    clear();
    auto* room = static_cast<char*>(std::malloc(length + 1));
    if (!room)
        return nullptr;
    room[length] = '\0';
    text_.reset(room);
    length_ = length;
    return room;
}

} // namespace qx
