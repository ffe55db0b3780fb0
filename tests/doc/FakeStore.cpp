#include "FakeStore.h"

#include "settings/AtomicFile.h"

namespace qx::test {

int FakeStore::read(DDoc&, const std::string& path) {
    ++reads;
    std::string bytes;
    if (AtomicFile::read(path, bytes) != 0 || bytes.empty())
        return 1;
    lastRead = bytes;
    return bytes.rfind(kMagic, 0) == 0 ? 0 : 2;
}

int FakeStore::write(DDoc&, const std::string& path) {
    if (failWrites)
        return 1;
    ++writes;
    return AtomicFile::replace(path, kMagic + std::to_string(writes)) == 0 ? 0 : 1;
}

} // namespace qx::test
