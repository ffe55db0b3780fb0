#pragma once

#include "model/ObjectTable.h"
#include "model/RefResolver.h"

namespace qx {

// The identifier mapping over an ObjectTable of its own.
class DefRefResolver : public RefResolver {
public:
    void beginwrite() override;
    std::uint32_t idof(ContainerObject* object) override;
    void beginread() override;
    void addloaded(ContainerObject* object, std::uint32_t id) override;
    void endread() override;
    ContainerObject* resolve(std::uint32_t id) override;
    void prefetch(std::uint32_t id) override;
    // Room for this many objects in the table, in the mode it is in.
    void reserve(std::size_t count);

    const ObjectTable& table() const { return table_; }

private:
    ObjectTable table_;
};

} // namespace qx
