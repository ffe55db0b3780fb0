#pragma once

#include "Definition.h"

#include <string>
#include <string_view>
#include <vector>

namespace qsearch {

// One finding in a definitions file, on the line it concerns (0: the file).
struct DefinitionMessage {
    int line = 0;
    std::string text;
};

// Reads the definitions file: a top-level object with "engines" (an object
// keyed by engine number) and optional "timeouts". A definition with any error
// is left out and its engine marked broken; every error is reported with its
// line. Unknown keys, bad templates, bad paths and XPath expressions that do
// not compile are errors, so a typo never silently turns a rule off.
class DefinitionReader {
public:
    static DefinitionSet read(std::string_view text, std::vector<DefinitionMessage>& messages);
};

} // namespace qsearch
