#include "model/DocumentReader.h"

#include "model/Container.h"
#include "model/DocumentFormat.h"
#include "model/DomainRef.h"
#include "model/ObjBuilder.h"
#include "model/OrgRefBuilder.h"
#include "model/RefRoot.h"
#include "model/UrlRefBuilder.h"
#include "model/UrlRefBuilder_OldVersion.h"
#include "stream/iwstream.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

namespace qx {

namespace {

// The position just after the record that starts here, from its length
// field; -1 when the stream cannot tell.
int readlength(iwstream& in) {
    int at = in.position();
    std::uint16_t length = 0;
    in.get16(length);
    if (at < 0 || at > INT_MAX - 2 - length) {
        return -1;
    }
    return at + 2 + length;
}

// Steps over whatever the record holds beyond the fields read: bytes a later
// format appended. A record that was read past its length is left as it is
// (its length field wrapped at 16 bits); stepping back would only read its
// fields a second time as a record of their own.
bool skipto(iwstream& in, int end) {
    if (end < 0) {
        return false;
    }
    int at = in.position();
    if (at >= 0 && at < end) {
        in.seek(end, 0);
    }
    return in.good();
}

// The fewest bytes an object record takes: its length and a narrow identifier.
constexpr std::size_t kLeastObjectRecord = 4;
// What is set aside when the stream cannot tell its length.
constexpr std::size_t kBlindReserve = 1 << 16;

// How many of the stated objects the rest of the stream can hold: the count
// sizes the container's tables up front, but a forged count in a short file
// must not make the reader set aside gigabytes.
std::size_t roomfor(iwstream& in, std::uint32_t count) {
    const int at = in.position();
    if (at < 0) {
        return std::min<std::size_t>(count, kBlindReserve);
    }
    const int end = in.seek(0, 2);
    in.seek(at, 0);
    const std::size_t left = end > at ? static_cast<std::size_t>(end - at) : 0;
    return std::min<std::size_t>(count, left / kLeastObjectRecord);
}

} // namespace

DocumentReader::DocumentReader(Container& container, RefRoot& orgroot, RefRoot& domainroot)
    : container_(container), orgroot_(orgroot), domainroot_(domainroot) {}

int DocumentReader::read(iwstream& in) {
    char magic[DocumentFormat::kMagicSize];
    if (in.read(magic, DocumentFormat::kMagicSize) != DocumentFormat::kMagicSize ||
        std::memcmp(magic, DocumentFormat::kMagic, DocumentFormat::kMagicSize) != 0) {
        return DocumentFormat::NotDocument;
    }
    std::uint32_t version = 0;
    in.get32(version);
    if (!in.good()) {
        return DocumentFormat::StreamFailed;
    }
    if (!DocumentFormat::knownversion(version)) {
        return DocumentFormat::BadVersion;
    }
    version_ = static_cast<int>(version);
    container_.setwide(version == DocumentFormat::kWideVersion);

    ObjBuilder objects;
    OrgRefBuilder organizer;
    UrlRefBuilder domain;
    UrlRefBuilder_OldVersion olddomain;
    const bool kinded = version >= DocumentFormat::kKindedDomainVersion;
    bool ok = readobjects(in, objects) && readtree(in, orgroot_, organizer) &&
              readtree(in, domainroot_, kinded ? static_cast<RefTreeBuilder&>(domain) : olddomain);
    if (ok && !kinded) {
        converthosts();
    }
    container_.beginwrite();
    container_.setwide(false);
    return ok && in.good() ? DocumentFormat::Ok : DocumentFormat::StreamFailed;
}

bool DocumentReader::readobjects(iwstream& in, ContainerObjectBuilder& builder) {
    container_.beginread();
    std::uint32_t count = DocumentFormat::getcount(in, container_.wide());
    bool ok = in.good();
    if (ok) {
        container_.reserve(roomfor(in, count));
        ok = in.good();
    }
    for (std::uint32_t i = 0; ok && i < count; ++i) {
        int end = readlength(in);
        std::uint32_t id = container_.getid(in);
        std::unique_ptr<ContainerObject> object = builder.create(in, version_);
        ok = object && object->read(in, version_, container_) == 0 && skipto(in, end);
        // Only an object that was read whole gets its identifier: a discarded
        // one must never be found through it.
        if (ok) {
            container_.addloaded(object.get(), id);
            container_.add(std::move(object));
        }
    }
    container_.endread();
    container_.fixupall();
    return ok;
}

bool DocumentReader::readtree(iwstream& in, RefRoot& root, RefTreeBuilder& builder) {
    struct Level {
        Ref* node;
        std::uint32_t left; // children still to read
    };
    std::uint32_t children = 0;
    bool ok = readnode(in, &root, builder, children) != nullptr;
    // One entry per level being read: it grows only as records arrive.
    std::vector<Level> levels;
    if (ok) {
        levels.push_back({&root, children});
    }
    while (ok && !levels.empty()) {
        Level& level = levels.back();
        if (level.left == 0) {
            levels.pop_back();
            continue;
        }
        --level.left;
        Ref* parent = level.node;
        Ref* child = readnode(in, nullptr, builder, children);
        ok = child != nullptr;
        if (ok) {
            parent->append(child);
            levels.push_back({child, children});
        }
    }
    // Targets are resolved and counted once the whole tree is in; a tree
    // abandoned half way holds no counts, which its destruction then matches.
    if (ok) {
        root.fixup(container_);
    }
    return ok;
}

Ref* DocumentReader::readnode(iwstream& in, RefRoot* root, RefTreeBuilder& builder,
                              std::uint32_t& children) {
    int end = readlength(in);
    std::unique_ptr<Ref> made = root ? nullptr : builder.create(in, version_);
    Ref* node = root ? root : made.get();
    if (!node || node->read(in, version_, container_) != 0 || !skipto(in, end)) {
        return nullptr;
    }
    children = DocumentFormat::getcount(in, container_.wide());
    if (!in.good()) {
        return nullptr;
    }
    return root ? root : made.release();
}

void DocumentReader::converthosts() {
    for (Node* next = domainroot_.first(); next;) {
        auto* old = static_cast<Ref*>(next);
        auto host = std::make_unique<DomainRef>(old->name());
        // The target moves over with its count.
        host->settarget(old->target());
        old->settarget(nullptr);
        old->copyflags(*host);
        DomainRef* made = host.release();
        domainroot_.append(made, old);
        while (Node* child = old->first()) {
            made->append(child);
        }
        delete old;
        next = made->next();
    }
}

} // namespace qx
