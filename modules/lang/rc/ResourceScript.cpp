#include "ResourceScript.h"

#include "lang/ModuleAbi.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

namespace qx::rc {

namespace {

struct Token {
    enum class Kind { End, Word, Number, String, Open, Close } kind = Kind::End;
    std::string text;
    std::int64_t number = 0;
    int line = 0;
};

bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80             ? 1
                        : (c & 0xE0) == 0xC0 ? 2
                        : (c & 0xF0) == 0xE0 ? 3
                        : (c & 0xF8) == 0xF0 ? 4
                                             : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

// Splits a script into tokens; the parser asks for them one at a time.
class Lexer {
public:
    Lexer(std::string_view text) : text_(text) {}

    // False with a message on a malformed token.
    bool next(Token& token, std::string& error) {
        skipBlanks();
        token = Token();
        token.line = line_;
        if (pos_ >= text_.size())
            return true;
        char c = text_[pos_];
        if (c == '{' || c == '}') {
            token.kind = c == '{' ? Token::Kind::Open : Token::Kind::Close;
            ++pos_;
            return true;
        }
        if (c == '"')
            return readString(token, error);
        if (c == '-' || (c >= '0' && c <= '9'))
            return readNumber(token, error);
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            std::size_t start = pos_;
            while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                           text_[pos_] == '_' || text_[pos_] == '@'))
                ++pos_;
            token.kind = Token::Kind::Word;
            token.text = text_.substr(start, pos_ - start);
            return true;
        }
        error = "unexpected character '" + std::string(1, c) + "'";
        return false;
    }

private:
    void skipBlanks() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '#' || text_.substr(pos_, 2) == "//") {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                return;
            }
        }
    }

    bool readNumber(Token& token, std::string& error) {
        std::size_t start = pos_;
        bool negative = text_[pos_] == '-';
        if (negative)
            ++pos_;
        int base = 10;
        if (text_.substr(pos_, 2) == "0x" || text_.substr(pos_, 2) == "0X") {
            base = 16;
            pos_ += 2;
        }
        std::int64_t value = 0;
        std::size_t digits = 0;
        for (; pos_ < text_.size(); ++pos_, ++digits) {
            int d = std::isdigit(static_cast<unsigned char>(text_[pos_])) ? text_[pos_] - '0'
                    : base == 16 && std::isxdigit(static_cast<unsigned char>(text_[pos_]))
                        ? std::tolower(static_cast<unsigned char>(text_[pos_])) - 'a' + 10
                        : -1;
            if (d < 0)
                break;
            value = value * base + d;
            if (value > 0xFFFFFFFFLL) {
                error = "number out of range";
                return false;
            }
        }
        if (digits == 0) {
            error = "malformed number '" + std::string(text_.substr(start, pos_ - start + 1)) + "'";
            return false;
        }
        token.kind = Token::Kind::Number;
        token.number = negative ? -value : value;
        return true;
    }

    bool readString(Token& token, std::string& error) {
        ++pos_;
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            char c = text_[pos_++];
            if (c == '\n') {
                error = "line break inside a string";
                return false;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size())
                break;
            char e = text_[pos_++];
            if (e == 'n')
                out += '\n';
            else if (e == 't')
                out += '\t';
            else if (e == '"' || e == '\\')
                out += e;
            else if (e == 'x' && pos_ + 2 <= text_.size() &&
                     std::isxdigit(static_cast<unsigned char>(text_[pos_])) &&
                     std::isxdigit(static_cast<unsigned char>(text_[pos_ + 1]))) {
                out +=
                    static_cast<char>(std::stoi(std::string(text_.substr(pos_, 2)), nullptr, 16));
                pos_ += 2;
            } else {
                error = "unknown escape '\\" + std::string(1, e) + "'";
                return false;
            }
        }
        if (pos_ >= text_.size()) {
            error = "string not closed";
            return false;
        }
        ++pos_;
        if (!validUtf8(out)) {
            error = "string is not valid UTF-8";
            return false;
        }
        token.kind = Token::Kind::String;
        token.text = std::move(out);
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

int errorKindOf(const std::string& name) {
    for (int kind = 0; kind < 4; ++kind)
        if (name == langabi::kErrorTextNames[kind][0])
            return kind;
    return -1;
}

// One "%d" and no other conversion: the module fills in the code with it.
bool isCodeFormat(const std::string& f) {
    return std::count(f.begin(), f.end(), '%') == 1 && f.find("%d") != std::string::npos;
}

class Parser {
public:
    Parser(std::string_view text, ResourceScript& script) : lexer_(text), script_(script) {}

    bool run(std::string& error) {
        if (!advance())
            return fail(error);
        while (token_.kind != Token::Kind::End)
            if (!statement())
                return fail(error);
        if (!resolveFallbacks())
            return fail(error);
        return true;
    }

private:
    bool fail(std::string& error) {
        error = std::to_string(failLine_) + ": " + message_;
        return false;
    }
    bool problem(const std::string& what) {
        message_ = what;
        failLine_ = token_.line;
        return false;
    }
    bool advance() {
        if (lexer_.next(token_, message_))
            return true;
        failLine_ = token_.line;
        return false;
    }
    bool isWord(const char* word) const {
        return token_.kind == Token::Kind::Word && token_.text == word;
    }
    bool expect(Token::Kind kind, const char* what) {
        if (token_.kind != kind)
            return problem(std::string("expected ") + what);
        return advance();
    }
    bool number(std::int64_t& value, std::int64_t min, std::int64_t max) {
        if (token_.kind != Token::Kind::Number)
            return problem("expected a number");
        if (token_.number < min || token_.number > max)
            return problem("number out of range");
        value = token_.number;
        return advance();
    }
    bool id(std::uint32_t& value) {
        std::int64_t v = 0;
        if (!number(v, 0, 0xFFFFFFFFLL))
            return false;
        value = static_cast<std::uint32_t>(v);
        return true;
    }
    // One or more adjacent strings, joined.
    bool text(std::string& value) {
        if (token_.kind != Token::Kind::String)
            return problem("expected a string");
        value.clear();
        while (token_.kind == Token::Kind::String) {
            value += token_.text;
            if (!advance())
                return false;
        }
        return true;
    }
    bool word(std::string& value) {
        if (token_.kind != Token::Kind::Word)
            return problem("expected a name");
        value = token_.text;
        return advance();
    }

    bool statement() {
        if (isWord("STRING"))
            return advance() && stringStatement();
        if (isWord("MENU"))
            return advance() && menuStatement();
        if (isWord("RESOURCE"))
            return advance() && resourceStatement();
        if (isWord("ERRORS"))
            return advance() && errorsStatement();
        return problem("expected STRING, MENU, RESOURCE or ERRORS");
    }

    bool stringStatement() {
        std::uint32_t number = 0;
        std::string value;
        int line = token_.line;
        if (!id(number) || !text(value))
            return false;
        if (!script_.strings.emplace(number, value).second) {
            failLine_ = line;
            message_ = "string " + std::to_string(number) + " defined twice";
            return false;
        }
        return true;
    }

    bool menuStatement() {
        std::uint32_t number = 0;
        int line = token_.line;
        std::vector<MenuLine> lines;
        if (!id(number) || !menuItems(lines, 0))
            return false;
        if (lines.empty())
            return problem("menu " + std::to_string(number) + " is empty");
        lines.push_back({langabi::kMenuEnd, 0, {}});
        if (!script_.menus.emplace(number, std::move(lines)).second) {
            failLine_ = line;
            message_ = "menu " + std::to_string(number) + " defined twice";
            return false;
        }
        return true;
    }

    bool menuItems(std::vector<MenuLine>& lines, int depth) {
        if (!expect(Token::Kind::Open, "'{'"))
            return false;
        while (token_.kind != Token::Kind::Close) {
            if (isWord("ITEM")) {
                MenuLine item{langabi::kMenuCommand, 0, {}};
                if (!advance() || !id(item.command) || !text(item.text))
                    return false;
                lines.push_back(std::move(item));
            } else if (isWord("SEPARATOR")) {
                lines.push_back({langabi::kMenuSeparator, 0, {}});
                if (!advance())
                    return false;
            } else if (isWord("POPUP")) {
                if (depth >= 8)
                    return problem("pop-ups nested too deeply");
                MenuLine popup{langabi::kMenuPopup, 0, {}};
                if (!advance() || !text(popup.text))
                    return false;
                lines.push_back(std::move(popup));
                std::size_t before = lines.size();
                if (!menuItems(lines, depth + 1))
                    return false;
                if (lines.size() == before)
                    return problem("empty pop-up");
                lines.push_back({langabi::kMenuPopupEnd, 0, {}});
            } else {
                return problem("expected ITEM, SEPARATOR, POPUP or '}'");
            }
        }
        return advance();
    }

    bool resourceStatement() {
        NamedResource r;
        if (!word(r.type) || !word(r.name) || !text(r.file))
            return false;
        for (const NamedResource& other : script_.resources)
            if (other.type == r.type && other.name == r.name)
                return problem("resource " + r.type + " " + r.name + " defined twice");
        script_.resources.push_back(std::move(r));
        return true;
    }

    bool errorsStatement() {
        ErrorTable table;
        std::string name;
        if (!word(name))
            return false;
        table.kind = errorKindOf(name);
        if (table.kind < 0)
            return problem("'" + name + "' is not an error-text function");
        for (const ErrorTable& other : script_.errorTables)
            if (other.kind == table.kind)
                return problem("errors of " + name + " defined twice");
        if (isWord("FALLBACK")) {
            std::string fallback;
            if (!advance() || !word(fallback))
                return false;
            table.fallback = errorKindOf(fallback);
            if (table.fallback < 0 || table.fallback == table.kind)
                return problem("bad fallback '" + fallback + "'");
        }
        if (!expect(Token::Kind::Open, "'{'"))
            return false;
        while (token_.kind != Token::Kind::Close) {
            if (isWord("DEFAULT") || isWord("ERRNO")) {
                std::string& format = isWord("DEFAULT") ? table.unknownFormat : table.errnoFormat;
                if (!advance() || !text(format))
                    return false;
                if (!isCodeFormat(format))
                    return problem("a DEFAULT or ERRNO text needs exactly one %d");
                continue;
            }
            std::int64_t code = 0;
            std::string value;
            int line = token_.line;
            if (!number(code, INT32_MIN, 0xFFFFFFFFLL) || !text(value))
                return false;
            if (!table.texts.emplace(static_cast<std::int32_t>(code), value).second) {
                failLine_ = line;
                message_ = "error " + std::to_string(code) + " defined twice";
                return false;
            }
        }
        if (table.fallback < 0 && table.unknownFormat.empty())
            return problem("errors of " + name + " need a DEFAULT text or a FALLBACK");
        script_.errorTables.push_back(std::move(table));
        return advance();
    }

    // A fallback names a table of the script that answers every code itself.
    bool resolveFallbacks() {
        for (const ErrorTable& table : script_.errorTables) {
            if (table.fallback < 0)
                continue;
            auto target =
                std::find_if(script_.errorTables.begin(), script_.errorTables.end(),
                             [&](const ErrorTable& t) { return t.kind == table.fallback; });
            if (target == script_.errorTables.end() || target->fallback >= 0) {
                failLine_ = token_.line;
                message_ = std::string("fallback of ") + langabi::kErrorTextNames[table.kind][0] +
                           " must be a table without a fallback of its own";
                return false;
            }
        }
        return true;
    }

    Lexer lexer_;
    ResourceScript& script_;
    Token token_;
    std::string message_;
    int failLine_ = 1;
};

} // namespace

bool ResourceScript::parse(std::string_view text, const std::string& fileName, std::string& error) {
    Parser parser(text, *this);
    if (parser.run(error))
        return true;
    error = fileName + ":" + error;
    return false;
}

bool ResourceScript::loadFiles(const std::string& folder, std::vector<std::string>& read,
                               std::string& error) {
    for (NamedResource& r : resources) {
        std::string path = r.file.starts_with('/') ? r.file : folder + "/" + r.file;
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            error = "cannot read resource file " + path;
            return false;
        }
        r.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        read.push_back(path);
    }
    return true;
}

} // namespace qx::rc
