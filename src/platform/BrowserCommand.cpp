#include "platform/BrowserCommand.h"

#include <cctype>

namespace qx::platform {

namespace {

// The words of a parameter text: split at blanks outside double quotes, the
// quotes dropped.
std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    std::string word;
    bool quoted = false, any = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any)
                out.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any)
        out.push_back(word);
    return out;
}

// The word with its field codes resolved; whether the address went in.
bool expand(std::string& word, std::string_view address) {
    std::string out;
    bool used = false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%' || i + 1 == word.size()) {
            out += word[i];
            continue;
        }
        const char code = word[++i];
        if (code == '1' || code == 'u' || code == 'U' || code == 'f' || code == 'F') {
            out += address;
            used = true;
        } else if (code == '%') {
            out += '%';
        }
    }
    word = std::move(out);
    return used;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

} // namespace

bool isMailto(std::string_view address) {
    constexpr std::string_view kMailto = "mailto:";
    if (address.size() < kMailto.size())
        return false;
    for (std::size_t i = 0; i < kMailto.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(address[i])) != kMailto[i])
            return false;
    }
    return true;
}

BrowserCommand browserCommand(std::string_view commandLine, std::string_view address) {
    BrowserCommand command;
    std::size_t i = 0;
    while (i < commandLine.size() && commandLine[i] == ' ')
        ++i;
    bool quoted = false;
    for (; i < commandLine.size() && (quoted || commandLine[i] != ' '); ++i) {
        if (commandLine[i] == '"')
            quoted = !quoted;
        else
            command.program += commandLine[i];
    }
    const std::string_view parameters =
        i < commandLine.size() ? commandLine.substr(i + 1) : std::string_view();
    bool used = false;
    for (std::string& word : words(parameters)) {
        used = expand(word, address) || used;
        if (!word.empty())
            command.arguments.push_back(std::move(word));
    }
    if (!used)
        command.arguments.emplace_back(address);
    return command;
}

std::string desktopExec(std::istream& in) {
    std::string line;
    bool inEntry = false;
    while (std::getline(in, line)) {
        const std::string_view l = trimmed(line);
        if (!l.empty() && l.front() == '[') {
            inEntry = l == "[Desktop Entry]";
            continue;
        }
        if (!inEntry || l.substr(0, 4) != "Exec")
            continue;
        const std::string_view rest = trimmed(l.substr(4));
        if (!rest.empty() && rest.front() == '=')
            return std::string(trimmed(rest.substr(1)));
    }
    return {};
}

} // namespace qx::platform
