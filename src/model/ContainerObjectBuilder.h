#pragma once

#include <memory>

namespace qx {

class ContainerObject;
class iwstream;
class owstream;

// Maps the objects of a container to what a document file stores ahead of
// each object's fields, and makes the object a record stands for.
class ContainerObjectBuilder {
public:
    virtual ~ContainerObjectBuilder();

    // Writes whatever names the object's class: 0, or 1 when the stream is
    // not good afterwards.
    virtual int writekind(owstream& out, const ContainerObject& object) = 0;
    // A new empty object for the next record, or null when the stream names
    // no class the builder knows.
    virtual std::unique_ptr<ContainerObject> create(iwstream& in, int version) = 0;
};

} // namespace qx
