#pragma once

#include <cstdint>

namespace qx {

class iwstream;
class owstream;

// What the writer and the reader of document files share: the magic, the
// versions, the results of reading, and the counts whose width depends on the
// form of the file.
//
// Counts and identifiers take 16 bits. A document with more objects, or a
// node with more children, than 16 bits can count is written in the wide form
// (version kWideVersion), where they take 32 bits; everything else is as in
// kVersion. Readers that know only the narrow form refuse the wide one by its
// version instead of losing references.
class DocumentFormat {
public:
    static constexpr int kMagicSize = 14;
    // "Norba Editor", 0x1A, 0x00.
    static const char kMagic[kMagicSize];

    static constexpr std::uint32_t kVersion = 3;
    static constexpr std::uint32_t kWideVersion = 4;
    // From this version on, children of the domain tree carry a kind byte and
    // the hosts are stored as hosts.
    static constexpr std::uint32_t kKindedDomainVersion = 3;
    // The largest count the narrow form holds.
    static constexpr std::uint32_t kNarrowLimit = 0xFFFF;

    enum Result : int {
        Ok = 0,
        StreamFailed = 1, // the stream failed or ended early, or a record made no sense
        NotDocument = 2,  // the magic does not match
        BadVersion = 3,   // a version this reader does not know
    };

    static bool knownversion(std::uint32_t version);
    static void putcount(owstream& out, std::uint32_t count, bool wide);
    static std::uint32_t getcount(iwstream& in, bool wide);
};

} // namespace qx
