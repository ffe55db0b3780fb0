#pragma once

#include "doc/DocumentStore.h"

#include <string>

namespace qx::test {

// A document store with a file format of its own, for the document manager's
// logic while the model's file format is elsewhere: a document file is the
// line "qxo-test" followed by its save count. It counts its reads and can be
// told to fail its writes.
class FakeStore : public doc::DocumentStore {
public:
    static constexpr const char* kMagic = "qxo-test\n";

    int read(DDoc& model, const std::string& path) override;
    int write(DDoc& model, const std::string& path) override;

    int reads = 0;
    int writes = 0;
    bool failWrites = false;
    std::string lastRead; // the content of the file read last
};

} // namespace qx::test
