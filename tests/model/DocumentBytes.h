#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qx::test {

// Document file bytes put together by hand, field by field, little-endian.
class DocumentBytes {
public:
    DocumentBytes& u8(unsigned v);
    DocumentBytes& u16(unsigned v);
    DocumentBytes& u32(std::uint32_t v);
    DocumentBytes& u64(std::uint64_t v);
    DocumentBytes& text(std::string_view s);
    DocumentBytes& raw(std::string_view s);
    // A record: its body preceded by the 16-bit length of the body.
    DocumentBytes& record(const DocumentBytes& body);

    // The magic and a version.
    DocumentBytes& header(std::uint32_t version);
    // The body of an object record: identifier, the properties with the
    // given title and address (everything else empty or 0), flags. Wide:
    // with the identifier of the wide form.
    static DocumentBytes object(unsigned id, std::string_view title, std::string_view url,
                                unsigned flags = 0, bool wide = false);
    // The node data of a root: result order, flags, target, name.
    static DocumentBytes root(unsigned order = 0, bool wide = false);
    // The Ref part: flags, target identifier, name.
    static DocumentBytes ref(unsigned flags, unsigned target, std::string_view name,
                             bool wide = false);

    const std::string& str() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

} // namespace qx::test
