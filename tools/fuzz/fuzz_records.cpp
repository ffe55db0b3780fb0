// The records of a document file, read one at a time as the class the first
// byte names: any bytes must read without harm, and whatever reads back must
// write and read again to the same bytes.
#include "model/Container.h"
#include "model/DomainRef.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<qx::ContainerObject> objectOf(int kind) {
    return kind == 0 ? std::make_unique<qx::Object>() : nullptr;
}

std::unique_ptr<qx::Ref> nodeOf(int kind) {
    switch (kind) {
    case 1:
        return std::make_unique<qx::RefRoot>();
    case 2:
        return std::make_unique<qx::OrgRef2>();
    case 3:
        return std::make_unique<qx::SearchRef>();
    case 4:
        return std::make_unique<qx::DomainRef>();
    default:
        return std::make_unique<qx::UrlRef>();
    }
}

template <class T> std::string written(const T& record, qx::RefResolver& resolver) {
    qx::mwstream out;
    if (record.write(out, resolver) != 0) {
        std::abort();
    }
    return std::string(out.buffer().data(), static_cast<std::size_t>(out.buffer().size()));
}

template <class T>
void check(T& record, T& again, const std::uint8_t* data, std::size_t size, int version,
           qx::Container& container) {
    std::vector<char> bytes(data, data + size);
    qx::memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    container.beginread();
    if (record.read(in, version, container) != 0) {
        return;
    }
    container.beginwrite();
    const std::string once = written(record, container);
    std::vector<char> copy(once.begin(), once.end());
    qx::memwstream in2(copy.data(), static_cast<int>(copy.size()));
    // Version 3 is what is written.
    if (again.read(in2, 3, container) != 0 || written(again, container) != once) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 0x10000) {
        return 0;
    }
    const int kind = data[0] % 6;
    const int version = 1 + (data[0] >> 4) % 3;
    qx::Container container;
    if (auto object = objectOf(kind)) {
        auto again = objectOf(kind);
        check(*object, *again, data + 1, size - 1, version, container);
    } else {
        auto node = nodeOf(kind);
        auto again = nodeOf(kind);
        check(*node, *again, data + 1, size - 1, version, container);
    }
    return 0;
}
