#pragma once

namespace qx {

class ContainerObject;
class SearchKey;

// Decides which object Container::find looks for.
class ContainerObjectComparator {
public:
    virtual ~ContainerObjectComparator();
    // 0 for a match.
    virtual int compare(const ContainerObject* object) const = 0;
    // A key every match carries as its indexkey(), so that a container may look
    // at the objects of that hash only; null to have every object compared.
    virtual const SearchKey* key() const;
};

} // namespace qx
