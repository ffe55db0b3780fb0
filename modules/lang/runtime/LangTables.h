#pragma once

#include "lang/ModuleAbi.h"

#include <cstddef>
#include <cstdint>

// The tables that qxrc generates from a module's resource script, and that the
// module's exported functions answer from. Private to the module.
namespace qx::langmod {

struct StringEntry {
    std::uint32_t id;
    const char* text;
};

struct MenuEntry {
    std::uint32_t id;
    const QxMenuEntry* entries;
};

struct ResourceEntry {
    const char* type;
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

struct ErrorEntry {
    std::int32_t code;
    const char* text;
};

struct ErrorTable {
    const ErrorEntry* entries; // sorted by code
    std::size_t count;
    const char* unknownFormat;  // one "%d"; null when the fallback answers
    const char* errnoFormat;    // one "%d" for the errno of an unmapped code; may be null
    const ErrorTable* fallback; // asked for codes without a text here
};

struct Tables {
    const StringEntry* strings; // sorted by number
    std::size_t stringCount;
    const MenuEntry* menus; // sorted by number
    std::size_t menuCount;
    const ResourceEntry* resources;
    std::size_t resourceCount;
    const ErrorTable* errors[4]; // in the order of langabi::kErrorTextNames
};

extern const Tables kTables;

} // namespace qx::langmod

#define QX_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
