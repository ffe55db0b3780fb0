#pragma once

#include "lang/ModuleAbi.h"

#include <string>
#include <vector>

namespace qx {

// One item of a menu: a command, a separator or a pop-up with items of its own.
struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    unsigned command = 0; // of a command
    std::string text;     // of a command or a pop-up; "&" marks the access key, "\t" the shortcut
    std::vector<MenuItem> items; // of a pop-up

    bool operator==(const MenuItem&) const = default;
};

// A menu as a language module describes it, free of any toolkit: the Qt layer
// builds its own menus from it.
class Menu {
public:
    std::vector<MenuItem> items;

    // Builds a menu from a module's table. A malformed table (unbalanced pop-ups,
    // nesting or length beyond all reason) gives the items up to the fault.
    static Menu fromTable(const QxMenuEntry* table);

    // Whether a command appears anywhere in the menu.
    bool contains(unsigned command) const;

    // The help context of a command chosen in help mode: the top-level pop-ups
    // are searched in order for one that holds the command; its first command
    // minus 1 is the context; a command in no pop-up is its own context.
    unsigned helpContext(unsigned command) const;

    static constexpr std::size_t kMaxEntries = 4096;
    static constexpr std::size_t kMaxDepth = 16;
};

} // namespace qx
