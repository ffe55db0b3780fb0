#include "ModuleSource.h"

#include <cstdio>

namespace qx::rc {

namespace {

// A C++ string literal; bytes outside printable ASCII as octal escapes, which
// never run into the characters after them.
std::string literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F && c != '?') {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", c);
            out += escape;
        }
    }
    return out + "\"";
}

std::string orNull(const std::string& text) {
    return text.empty() ? "nullptr" : literal(text);
}

} // namespace

std::string moduleSource(const ResourceScript& script, const std::string& scriptName) {
    std::string out = "// Generated from " + scriptName +
                      " by qxrc. Do not edit.\n"
                      "#include \"LangTables.h\"\n\n"
                      "namespace {\n"
                      "using namespace qx::langmod;\n\n";

    if (!script.strings.empty()) {
        out += "const StringEntry kStrings[] = {\n";
        for (const auto& [id, text] : script.strings)
            out += "    {" + std::to_string(id) + "u, " + literal(text) + "},\n";
        out += "};\n\n";
    }

    for (const auto& [id, lines] : script.menus) {
        out += "const QxMenuEntry kMenu" + std::to_string(id) + "[] = {\n";
        for (const MenuLine& line : lines)
            out += "    {" + std::to_string(line.kind) + "u, " + std::to_string(line.command) +
                   "u, " + orNull(line.text) + "},\n";
        out += "};\n";
    }
    if (!script.menus.empty()) {
        out += "\nconst MenuEntry kMenus[] = {\n";
        for (const auto& [id, lines] : script.menus)
            out += "    {" + std::to_string(id) + "u, kMenu" + std::to_string(id) + "},\n";
        out += "};\n\n";
    }

    for (std::size_t i = 0; i < script.resources.size(); ++i) {
        const std::string& bytes = script.resources[i].bytes;
        out += "const unsigned char kResource" + std::to_string(i) + "[] = {";
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            out += k % 16 == 0 ? "\n    " : " ";
            out += std::to_string(static_cast<unsigned char>(bytes[k])) + ",";
        }
        if (bytes.empty())
            out += "0";
        out += "\n};\n";
    }
    if (!script.resources.empty()) {
        out += "\nconst ResourceEntry kResources[] = {\n";
        for (std::size_t i = 0; i < script.resources.size(); ++i) {
            const NamedResource& r = script.resources[i];
            out += "    {" + literal(r.type) + ", " + literal(r.name) + ", kResource" +
                   std::to_string(i) + ", " + std::to_string(r.bytes.size()) + "u},\n";
        }
        out += "};\n\n";
    }

    std::string errorSlots[4] = {"nullptr", "nullptr", "nullptr", "nullptr"};
    for (const ErrorTable& table : script.errorTables) {
        std::string k = std::to_string(table.kind);
        out += "const ErrorEntry kErrors" + k + "[] = {\n";
        for (const auto& [code, text] : table.texts)
            out += "    {" + std::to_string(code) + ", " + literal(text) + "},\n";
        if (table.texts.empty())
            out += "    {0, nullptr},\n";
        out += "};\n";
        errorSlots[table.kind] = "&kErrorTable" + k;
    }
    for (const ErrorTable& table : script.errorTables) {
        std::string k = std::to_string(table.kind);
        out += "extern const ErrorTable kErrorTable" + k + ";\n";
    }
    for (const ErrorTable& table : script.errorTables) {
        std::string k = std::to_string(table.kind);
        out += "const ErrorTable kErrorTable" + k + " = {kErrors" + k + ", " +
               std::to_string(table.texts.size()) + "u, " + orNull(table.unknownFormat) + ", " +
               orNull(table.errnoFormat) + ", " +
               (table.fallback >= 0 ? "&kErrorTable" + std::to_string(table.fallback)
                                    : std::string("nullptr")) +
               "};\n";
    }

    auto table = [](bool present, const char* name, std::size_t count) {
        return present ? std::string(name) + ", " + std::to_string(count) + "u"
                       : std::string("nullptr, 0u");
    };
    out += "} // namespace\n\n"
           "const qx::langmod::Tables qx::langmod::kTables = {\n    " +
           table(!script.strings.empty(), "kStrings", script.strings.size()) + ",\n    " +
           table(!script.menus.empty(), "kMenus", script.menus.size()) + ",\n    " +
           table(!script.resources.empty(), "kResources", script.resources.size()) + ",\n    {" +
           errorSlots[0] + ", " + errorSlots[1] + ", " + errorSlots[2] + ", " + errorSlots[3] +
           "},\n};\n";
    return out;
}

} // namespace qx::rc
