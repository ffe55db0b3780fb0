#include "model/DocumentWriter.h"

#include "model/Container.h"
#include "model/DocumentFormat.h"
#include "model/ObjBuilder.h"
#include "model/OrgRefBuilder.h"
#include "model/RefRoot.h"
#include "model/UrlRefBuilder.h"
#include "stream/owstream.h"

namespace qx {

namespace {

// A placeholder for the length of the record that starts here; its position.
int beginrecord(owstream& out) {
    int at = out.tell();
    out.put16(0);
    return at;
}

// Writes the number of bytes after the length field into it. A record longer
// than the field can count keeps the low 16 bits; the reader never steps
// back, so it still reads such a record whole.
bool endrecord(owstream& out, int at) {
    int end = out.tell();
    if (at < 0 || end < 0) {
        return false;
    }
    out.seek(at, 0);
    out.put16(static_cast<std::uint16_t>(end - at - 2));
    out.seek(end, 0);
    return out.good();
}

} // namespace

DocumentWriter::DocumentWriter(Container& container, const RefRoot& orgroot,
                               const RefRoot& domainroot)
    : container_(container), orgroot_(orgroot), domainroot_(domainroot) {}

int DocumentWriter::write(owstream& out) {
    wide_ = needswide();
    out.write(DocumentFormat::kMagic, DocumentFormat::kMagicSize);
    out.put32(wide_ ? DocumentFormat::kWideVersion : DocumentFormat::kVersion);
    container_.beginwrite();
    // Every object gets a number: the identifier table is sized for them all
    // before the first, so that numbering never grows it.
    container_.reserve(container_.count());
    container_.setwide(wide_);
    ObjBuilder objects;
    OrgRefBuilder organizer;
    UrlRefBuilder domain;
    // Once the stream failed nothing more can reach it: stop at the first
    // failure.
    bool ok = out.good() && writeobjects(out, objects) && writetree(out, orgroot_, organizer) &&
              writetree(out, domainroot_, domain);
    container_.beginwrite();
    container_.setwide(false);
    return ok && out.good() ? DocumentFormat::Ok : DocumentFormat::StreamFailed;
}

bool DocumentWriter::needswide() const {
    if (container_.count() > DocumentFormat::kNarrowLimit) {
        return true;
    }
    for (const RefRoot* root : {&orgroot_, &domainroot_}) {
        for (const Tree* node = root; node; node = node->nextpreorder(root)) {
            if (node->count() > DocumentFormat::kNarrowLimit) {
                return true;
            }
        }
    }
    return false;
}

bool DocumentWriter::writeobjects(owstream& out, ContainerObjectBuilder& builder) {
    DocumentFormat::putcount(out, static_cast<std::uint32_t>(container_.count()), wide_);
    ContainerIterator it = container_.iterate();
    for (ContainerObject* object = it.current(); object; object = it.next()) {
        int at = beginrecord(out);
        container_.putid(out, container_.idof(object));
        if (builder.writekind(out, *object) != 0 || object->write(out, container_) != 0 ||
            !endrecord(out, at)) {
            return false;
        }
    }
    return out.good();
}

bool DocumentWriter::writetree(owstream& out, const RefRoot& root, RefTreeBuilder& builder) {
    // Pre-order: each record is followed by the records of its children.
    if (!writenode(out, root, nullptr)) {
        return false;
    }
    for (const Tree* node = root.nextpreorder(&root); node; node = node->nextpreorder(&root)) {
        if (!writenode(out, static_cast<const Ref&>(*node), &builder)) {
            return false;
        }
    }
    return true;
}

bool DocumentWriter::writenode(owstream& out, const Ref& node, RefTreeBuilder* builder) {
    int at = beginrecord(out);
    if ((builder && builder->writekind(out, node) != 0) || node.write(out, container_) != 0 ||
        !endrecord(out, at)) {
        return false;
    }
    DocumentFormat::putcount(out, static_cast<std::uint32_t>(node.count()), wide_);
    return out.good();
}

} // namespace qx
