#include "search/ObjPropDialogInfo.h"

#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/SearchRef.h"
#include "search/EngineTable.h"

namespace qx {

namespace {

constexpr unsigned kFirstCharsetText = 9218;
constexpr std::uint32_t kLastCharset = 5;

} // namespace

PropertiesKind propertieskind(const Ref& node) {
    if (dynamic_cast<const SearchRef*>(&node))
        return node.hasflags(Ref::Running) ? PropertiesKind::None : PropertiesKind::SavedSearch;
    return node.target() ? PropertiesKind::Object : PropertiesKind::None;
}

ObjPropDialogInfo ObjPropDialogInfo::fromnode(const Ref& node) {
    ObjPropDialogInfo info;
    info.name = node.name();
    if (const Object* target = node.target())
        info.props = target->props();
    if (const auto* result = dynamic_cast<const OrgRef2*>(&node))
        info.orgprop = result->orgprop();
    return info;
}

std::string ObjPropDialogInfo::serverstext(const EngineTable& engines) const {
    std::string text;
    for (int bit = 0; bit < EngineTable::kPositions; ++bit) {
        const std::string& name = engines.name(static_cast<std::uint16_t>(1u << bit));
        if (!(props.servers & (1u << bit)) || name.empty())
            continue;
        if (!text.empty())
            text += ", ";
        text += name;
    }
    return text;
}

std::string ObjPropDialogInfo::modifiedtext() const {
    return props.modified.year == 0 ? std::string() : platform::formatHttpDate(props.modified);
}

unsigned ObjPropDialogInfo::charsettext() const {
    return props.charset >= 1 && props.charset <= kLastCharset
               ? kFirstCharsetText + props.charset - 1
               : 0;
}

std::string ObjPropDialogInfo::sizetext() const {
    return props.size ? std::to_string(props.size) : std::string();
}

std::string ObjPropDialogInfo::relevancetext() const {
    if (!orgprop)
        return {};
    const std::string sequence = "(" + std::to_string(orgprop->sequence) + ")";
    return orgprop->fitness ? std::to_string(orgprop->fitness / 100) + "% " + sequence : sequence;
}

void ObjPropDialogInfo::apply(DDoc& document, Ref& node) const {
    if (dynamic_cast<OrgRef2*>(&node))
        node.setname(name);
    if (Object* target = node.target())
        document.setobjectprops(*target, props);
}

} // namespace qx
