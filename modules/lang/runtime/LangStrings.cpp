// The string, menu and resource exports of a language module.
#include "LangTables.h"
#include "platform/Module.h"

#include <algorithm>
#include <strings.h>
#include <type_traits>

using namespace qx::langmod;

QX_MODULE_EXPORT const char* qx_string(std::uint32_t id) {
    const StringEntry* end = kTables.strings + kTables.stringCount;
    const StringEntry* found = std::lower_bound(
        kTables.strings, end, id, [](const StringEntry& e, std::uint32_t v) { return e.id < v; });
    return found != end && found->id == id ? found->text : nullptr;
}

QX_MODULE_EXPORT const QxMenuEntry* qx_menu(std::uint32_t id) {
    const MenuEntry* end = kTables.menus + kTables.menuCount;
    const MenuEntry* found = std::lower_bound(
        kTables.menus, end, id, [](const MenuEntry& e, std::uint32_t v) { return e.id < v; });
    return found != end && found->id == id ? found->entries : nullptr;
}

// Resource names and types are found without regard to case, as resources
// always were.
QX_MODULE_EXPORT int qx_find_resource(const char* name, const char* type, const void** data,
                                      std::size_t* size) {
    for (std::size_t i = 0; i < kTables.resourceCount; ++i) {
        const ResourceEntry& r = kTables.resources[i];
        if (::strcasecmp(r.name, name) == 0 && ::strcasecmp(r.type, type) == 0) {
            *data = r.data;
            *size = r.size;
            return 0;
        }
    }
    return 1;
}

// The exported finder must match the type the program calls it through.
static_assert(std::is_same_v<decltype(&qx_find_resource), qx::platform::ResourceFinder>);
