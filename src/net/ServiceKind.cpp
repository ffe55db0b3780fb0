#include "net/ServiceKind.h"

#include <array>
#include <utility>

namespace qx {
namespace {

constexpr std::array<std::pair<std::string_view, ServiceKind>, 7> kSchemes{{
    {"ftp", ServiceKind::Ftp},
    {"gopher", ServiceKind::Gopher},
    {"http", ServiceKind::Http},
    {"https", ServiceKind::Https},
    {"file", ServiceKind::File},
    {"news", ServiceKind::News},
    {"mailto", ServiceKind::Mailto},
}};

bool equalsIgnoringCase(std::string_view a, std::string_view lower) {
    if (a.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i])
            return false;
    }
    return true;
}

} // namespace

ServiceKind serviceKindOfScheme(std::string_view scheme) {
    for (const auto& [name, kind] : kSchemes)
        if (equalsIgnoringCase(scheme, name))
            return kind;
    return ServiceKind::Unknown;
}

std::string_view schemeOfServiceKind(ServiceKind kind) {
    for (const auto& [name, known] : kSchemes)
        if (known == kind)
            return name;
    return {};
}

} // namespace qx
