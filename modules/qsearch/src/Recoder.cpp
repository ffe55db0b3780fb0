#include "Recoder.h"

#include <cerrno>
#include <iconv.h>

namespace qsearch {

namespace {

iconv_t open(const std::string& from, const std::string& to) {
    return iconv_open((to + "//TRANSLIT").c_str(), from.c_str());
}

} // namespace

bool Recoder::known(const std::string& charset) {
    const iconv_t cd = open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(cd);
    return true;
}

bool Recoder::convert(std::string_view text, const std::string& from, const std::string& to,
                      std::string& out) {
    out.clear();
    const iconv_t cd = open(from, to);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* at = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(cd, &in, &inLeft, &at, &outLeft);
        out.append(buffer, static_cast<std::size_t>(at - buffer));
        if (done == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // An invalid or truncated sequence: drop one byte and go on.
            ++in;
            --inLeft;
        }
    }
    char* at = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &at, &outLeft);
    out.append(buffer, static_cast<std::size_t>(at - buffer));
    iconv_close(cd);
    return true;
}

} // namespace qsearch
