#pragma once

#include <cstdint>

// The C interface between the program and a language module. A module exports
// these functions by name; every pointer it hands out points into the module's
// own read-only data and stays valid while the module is loaded.
extern "C" {

// One entry of a menu table; a table ends with an entry of kind kMenuEnd.
struct QxMenuEntry {
    std::uint32_t kind;    // one of the qx::langabi::kMenu... values
    std::uint32_t command; // the command of a kMenuCommand entry
    const char* text;      // UTF-8, of a command or a pop-up
};

// The string of a number, or null when the module has none.
typedef const char* (*QxStringFunction)(std::uint32_t id);
// The menu table of a number, or null.
typedef const QxMenuEntry* (*QxMenuFunction)(std::uint32_t id);
// The text of an error code; never null.
typedef const char* (*QxErrorTextFunction)(std::int32_t code);
}

namespace qx::langabi {

inline constexpr std::uint32_t kMenuEnd = 0;
inline constexpr std::uint32_t kMenuCommand = 1;
inline constexpr std::uint32_t kMenuSeparator = 2;
inline constexpr std::uint32_t kMenuPopup = 3; // the items up to the matching kMenuPopupEnd
inline constexpr std::uint32_t kMenuPopupEnd = 4;

inline constexpr const char* kStringFunction = "qx_string";
inline constexpr const char* kMenuFunction = "qx_menu";

// The error-text exports, each tried under its three names in this order.
inline constexpr const char* kErrorTextNames[4][3] = {
    {"wk_strerror", "wk_strerror@4", "_wk_strerror@4"},
    {"wk_strerror_GetVolumeLabel", "wk_strerror_GetVolumeLabel@4", "_wk_strerror_GetVolumeLabel@4"},
    {"wk_strerror_Execute", "wk_strerror_Execute@4", "_wk_strerror_Execute@4"},
    {"wk_strerror_CommDlg", "wk_strerror_CommDlg@4", "_wk_strerror_CommDlg@4"},
};

} // namespace qx::langabi
