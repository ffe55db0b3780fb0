#pragma once

#include <string>

namespace qx::cli {

// Why a document could not be read or saved, in words: the result of
// loadDocument or saveDocument, with the thread's last system error for a
// file failure.
std::string documentfailure(int result);

// The words for a system error code (errno's own text where there is one).
std::string systemerrortext(unsigned code);

} // namespace qx::cli
