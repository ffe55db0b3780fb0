#include "lang/Menu.h"

#include <cstring>

namespace qx {

namespace {

bool holds(const std::vector<MenuItem>& items, unsigned command) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command && item.command == command)
            return true;
        if (item.kind == MenuItem::Kind::Popup && holds(item.items, command))
            return true;
    }
    return false;
}

const MenuItem* firstCommand(const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command)
            return &item;
        if (item.kind == MenuItem::Kind::Popup)
            if (const MenuItem* inner = firstCommand(item.items))
                return inner;
    }
    return nullptr;
}

// Texts from a module are bounded too, so that a table without terminators
// cannot make us read without end.
std::string boundedText(const char* text) {
    return text ? std::string(text, ::strnlen(text, 4096)) : std::string();
}

} // namespace

Menu Menu::fromTable(const QxMenuEntry* table) {
    Menu menu;
    if (!table)
        return menu;
    std::vector<std::vector<MenuItem>*> open = {&menu.items};
    for (std::size_t i = 0; i < kMaxEntries && table[i].kind != langabi::kMenuEnd; ++i) {
        const QxMenuEntry& entry = table[i];
        std::vector<MenuItem>& into = *open.back();
        switch (entry.kind) {
        case langabi::kMenuCommand:
            into.push_back({MenuItem::Kind::Command, entry.command, boundedText(entry.text), {}});
            break;
        case langabi::kMenuSeparator:
            into.push_back({MenuItem::Kind::Separator, 0, {}, {}});
            break;
        case langabi::kMenuPopup:
            if (open.size() > kMaxDepth)
                return menu;
            into.push_back({MenuItem::Kind::Popup, 0, boundedText(entry.text), {}});
            open.push_back(&into.back().items);
            break;
        case langabi::kMenuPopupEnd:
            if (open.size() == 1)
                return menu;
            open.pop_back();
            break;
        default:
            return menu;
        }
    }
    return menu;
}

bool Menu::contains(unsigned command) const {
    return holds(items, command);
}

unsigned Menu::helpContext(unsigned command) const {
    for (const MenuItem& item : items) {
        if (item.kind != MenuItem::Kind::Popup || !holds(item.items, command))
            continue;
        const MenuItem* first = firstCommand(item.items);
        return first->command - 1;
    }
    return command;
}

} // namespace qx
