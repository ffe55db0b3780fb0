#pragma once

#include <cstdint>
#include <memory>

namespace qx {

class Ref;
class iwstream;
class owstream;

// Maps the node classes of one tree to the kind byte a document file stores
// ahead of each child node's data, and makes the node a kind stands for.
class RefTreeBuilder {
public:
    // Kind bytes shared by both trees; a class the tree does not hold is
    // written as kOther, which no reader accepts.
    static constexpr std::uint8_t kOther = 0;
    static constexpr std::uint8_t kRoot = 1;

    virtual ~RefTreeBuilder();

    // Writes the node's kind: 0, or 1 when the stream is not good afterwards.
    virtual int writekind(owstream& out, const Ref& node) = 0;
    // A new empty node of the kind read, or null for a kind the tree does not
    // hold.
    virtual std::unique_ptr<Ref> create(iwstream& in, int version) = 0;

protected:
    // Writes one kind byte and reports the stream's state.
    static int putkind(owstream& out, std::uint8_t kind);
    // The next kind byte; kOther when the stream has none.
    static std::uint8_t getkind(iwstream& in);
};

} // namespace qx
