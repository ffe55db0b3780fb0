#include "platform/TextLimit.h"

namespace qx::platform {

namespace {
bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the sequence that a lead byte announces; 1 for anything else, so
// that bytes of other code pages are cut like single characters.
std::size_t sequenceLength(unsigned char c) {
    if ((c & 0xE0) == 0xC0)
        return 2;
    if ((c & 0xF0) == 0xE0)
        return 3;
    if ((c & 0xF8) == 0xF0)
        return 4;
    return 1;
}
} // namespace

void limitText(std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return;
    std::size_t cut = maxBytes;
    // Walk back over at most three continuation bytes to the lead byte of the
    // sequence that the cut falls into; drop that sequence when it does not fit.
    std::size_t lead = cut;
    while (lead > 0 && cut - lead < 3 && isContinuation(static_cast<unsigned char>(text[lead])))
        --lead;
    if (lead < cut && !isContinuation(static_cast<unsigned char>(text[lead])) &&
        lead + sequenceLength(static_cast<unsigned char>(text[lead])) > cut)
        cut = lead;
    text.resize(cut);
}

} // namespace qx::platform
