#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

// Cuts an address into the pieces the domain tree files it under: first the
// scheme with its host ("scheme://host"), then one path segment per piece.
// Slashes and backslashes both separate, a run of them counts as one, and a
// query or fragment never splits a piece: it stays with the last one.
//
// Use: construct; while Next() is true, read Piece() and call Advance(); after
// the first false result Piece() holds the last piece, possibly empty.
class URLPartIterator {
public:
    explicit URLPartIterator(std::string_view url);

    bool Next();
    void Advance();
    std::string_view Piece() const;

private:
    bool isSeparator(std::size_t at) const;
    bool finish();

    // The pieces are cut by writing terminators into this copy, so that a
    // piece is always the text from its start up to the next terminator.
    std::string copy_;
    std::size_t start_ = 0;
    std::size_t cursor_ = 0;
    std::size_t cutAt_ = std::string::npos; // where the query or fragment began
    char cutChar_ = 0;
    bool first_ = true;
    bool done_ = false;
};

} // namespace qx
