#pragma once

#include <string>
#include <string_view>

namespace qx {

// An address as a person reads it: percent-escaped UTF-8 turned back into its
// characters ("http://host/тест поиск/"), escaped delimiters kept escaped so
// the address still means what it meant. Whatever would not show as itself,
// or would change how the text around it reads, stays or becomes escaped:
// control characters, bidirectional marks and overrides, invisible spacing
// and joiners, bytes that are not UTF-8. Any bytes are taken.
std::string readableAddress(std::string_view url);

} // namespace qx
