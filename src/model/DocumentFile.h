#pragma once

#include <string>

namespace qx {

class DDoc;

// Reading and saving document files, the way both the editor and the
// command-line tool do it. Files are read and written through a buffer of
// kDocumentBufferSize bytes.
inline constexpr int kDocumentBufferSize = 64 * 1024;

// The results of DocumentFormat (0 to 3), and one more: the file could not be
// opened, written or put in place; platform::lastError() tells why.
inline constexpr int kDocumentFileFailed = 4;

// Reads the file into a freshly constructed document. On a failure the
// document holds whatever was read and is to be discarded: a caller that has a
// document open reads into a new one and swaps only on success.
int loadDocument(const std::string& path, DDoc& doc);

// Writes the document to a temporary file beside the target, forces it to the
// device and renames it over the target: 0, or kDocumentFileFailed with the
// target untouched. (Not const: numbering the objects for the file uses the
// container's identifier table.)
int saveDocument(const std::string& path, DDoc& doc);

} // namespace qx
