#include "model/Charset.h"

#include "model/NoCase.h"

#include <algorithm>
#include <iterator>

namespace qx {

namespace {

struct Name {
    std::string_view name;
    std::uint32_t code;
};

// Sorted by name: searched by halves.
constexpr Name kResultNames[] = {
    {"ibm866", Charset::Ibm866},
    {"iso8859-1", Charset::Iso8859_1},
    {"iso8859-5", Charset::Iso8859_5},
    {"koi8-r", Charset::Koi8r},
    {"windows-1251", Charset::Windows1251},
};

// Searched in this order.
constexpr Name kHeaderNames[] = {
    {"windows-1251", Charset::Windows1251},
    {"koi8-r", Charset::Koi8r},
    {"ibm866", Charset::Ibm866},
    {"iso8859-5", Charset::Iso8859_5},
};

constexpr std::string_view kSeparators = "; ";

} // namespace

std::uint32_t Charset::fromresult(std::string_view name) {
    const auto it = std::lower_bound(std::begin(kResultNames), std::end(kResultNames), name,
                                     [](const Name& entry, std::string_view key) {
                                         return nocase::compare(entry.name, key) < 0;
                                     });
    return it != std::end(kResultNames) && nocase::equal(it->name, name) ? it->code : Unknown;
}

std::uint32_t Charset::fromheader(std::string_view name) {
    for (const Name& entry : kHeaderNames) {
        if (nocase::equal(entry.name, name)) {
            return entry.code;
        }
    }
    return Unknown;
}

void Charset::parsecontenttype(std::string_view value, Str& mediatype, std::uint32_t& charset) {
    mediatype.clear();
    charset = Unknown;
    std::size_t pos = 0;
    while ((pos = value.find_first_not_of(kSeparators, pos)) != std::string_view::npos) {
        const std::size_t end = std::min(value.find_first_of(kSeparators, pos), value.size());
        const std::string_view item = value.substr(pos, end - pos);
        pos = end;
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos) {
            mediatype = Str(item);
        } else if (nocase::equal(item.substr(0, equals), "charset")) {
            charset = fromheader(item.substr(equals + 1));
        }
    }
}

} // namespace qx
