// qxrc: compiles a language module's resource script into a C++ source.
//   qxrc <script> <output.cpp> [<depfile>]
#include "ModuleSource.h"
#include "ResourceScript.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

std::string readFile(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    ok = static_cast<bool>(in);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes only when the content changed, so that an unchanged script does not
// make the module build again.
bool writeFile(const std::string& path, const std::string& bytes) {
    bool exists = false;
    if (readFile(path, exists) == bytes && exists)
        return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

std::string escapeForMake(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: qxrc <script> <output.cpp> [<depfile>]\n");
        return 2;
    }
    std::string scriptPath = argv[1];
    bool ok = false;
    std::string text = readFile(scriptPath, ok);
    if (!ok) {
        std::fprintf(stderr, "qxrc: cannot read %s\n", scriptPath.c_str());
        return 1;
    }
    qx::rc::ResourceScript script;
    std::string error;
    std::vector<std::string> inputs = {scriptPath};
    std::size_t slash = scriptPath.rfind('/');
    std::string folder = slash == std::string::npos ? "." : scriptPath.substr(0, slash);
    if (!script.parse(text, scriptPath, error) || !script.loadFiles(folder, inputs, error)) {
        std::fprintf(stderr, "qxrc: %s\n", error.c_str());
        return 1;
    }
    if (!writeFile(argv[2], qx::rc::moduleSource(script, scriptPath.substr(slash + 1)))) {
        std::fprintf(stderr, "qxrc: cannot write %s\n", argv[2]);
        return 1;
    }
    if (argc == 4) {
        std::string deps = escapeForMake(argv[2]) + ":";
        for (const std::string& input : inputs)
            deps += " " + escapeForMake(input);
        if (!writeFile(argv[3], deps + "\n")) {
            std::fprintf(stderr, "qxrc: cannot write %s\n", argv[3]);
            return 1;
        }
    }
    return 0;
}
