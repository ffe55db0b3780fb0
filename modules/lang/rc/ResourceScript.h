#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qx::rc {

// One line of a menu table, as the module exports it.
struct MenuLine {
    std::uint32_t kind = 0; // the langabi::kMenu... values
    std::uint32_t command = 0;
    std::string text;
};

struct NamedResource {
    std::string type;
    std::string name;
    std::string file;  // as written, relative to the script's folder
    std::string bytes; // filled by loadFiles()
};

struct ErrorTable {
    int kind = -1;     // index into langabi::kErrorTextNames
    int fallback = -1; // the kind asked for codes this table lacks
    std::map<std::int32_t, std::string> texts;
    std::string unknownFormat; // one "%d": a code without a text
    std::string errnoFormat;   // one "%d": an errno without a code of its own
};

// A language module's resources, as its script describes them:
//
//   # comment (also //)
//   STRING 9200 "Norba Seek"                 adjacent strings are joined
//   MENU 1 { POPUP "&File" { ITEM 24331 "&New" SEPARATOR } }
//   RESOURCE ABITMAP Norba "../common/norba.gif"
//   ERRORS wk_strerror { 2 "The file was not found." DEFAULT "Error %d." ERRNO "errno %d" }
//   ERRORS wk_strerror_Execute FALLBACK wk_strerror { 31 "..." }
//
// Strings are UTF-8 with the escapes \n \t \" \\ and \xHH.
struct ResourceScript {
    std::map<std::uint32_t, std::string> strings;
    std::map<std::uint32_t, std::vector<MenuLine>> menus;
    std::vector<NamedResource> resources;
    std::vector<ErrorTable> errorTables;

    // Parses a script; false with "file:line: what" in error at the first fault.
    bool parse(std::string_view text, const std::string& fileName, std::string& error);
    // Reads the files of the named resources, relative to a folder.
    bool loadFiles(const std::string& folder, std::vector<std::string>& read, std::string& error);
};

} // namespace qx::rc
