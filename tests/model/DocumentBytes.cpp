#include "DocumentBytes.h"

namespace qx::test {

DocumentBytes& DocumentBytes::u8(unsigned v) {
    bytes_ += static_cast<char>(v & 0xFF);
    return *this;
}

DocumentBytes& DocumentBytes::u16(unsigned v) {
    return u8(v).u8(v >> 8);
}

DocumentBytes& DocumentBytes::u32(std::uint32_t v) {
    return u16(v & 0xFFFF).u16(v >> 16);
}

DocumentBytes& DocumentBytes::u64(std::uint64_t v) {
    return u32(static_cast<std::uint32_t>(v)).u32(static_cast<std::uint32_t>(v >> 32));
}

DocumentBytes& DocumentBytes::text(std::string_view s) {
    u16(static_cast<unsigned>(s.size()));
    return raw(s);
}

DocumentBytes& DocumentBytes::raw(std::string_view s) {
    bytes_.append(s);
    return *this;
}

DocumentBytes& DocumentBytes::record(const DocumentBytes& body) {
    u16(static_cast<unsigned>(body.size()));
    return raw(body.str());
}

DocumentBytes& DocumentBytes::header(std::uint32_t version) {
    raw(std::string_view("Norba Editor\x1A\x00", 14));
    return u32(version);
}

DocumentBytes DocumentBytes::object(unsigned id, std::string_view title, std::string_view url,
                                    unsigned flags, bool wide) {
    DocumentBytes b;
    if (wide) {
        b.u32(id);
    } else {
        b.u16(id);
    }
    b.text("").text(title).text(url);
    for (int i = 0; i < 8; ++i) {
        b.u16(0);
    }
    b.u32(0).u16(0).u16(0).u8(0).u16(0).text("").u16(flags);
    return b;
}

DocumentBytes DocumentBytes::root(unsigned order, bool wide) {
    DocumentBytes b;
    b.u8(order);
    b.raw(ref(0, 0, "", wide).str());
    return b;
}

DocumentBytes DocumentBytes::ref(unsigned flags, unsigned target, std::string_view name,
                                 bool wide) {
    DocumentBytes b;
    b.u16(flags);
    if (wide) {
        b.u32(target);
    } else {
        b.u16(target);
    }
    b.text(name);
    return b;
}

} // namespace qx::test
