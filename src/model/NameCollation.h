#pragma once

#include <string>
#include <string_view>

// The order of names in the domain tree as people read them: by the user's
// collation (LC_COLLATE, as the program set it from the environment), names
// taken as UTF-8. Names the collation does not tell apart are ordered byte for
// byte, so that two names are equal only when they are one name, and the
// order is the same strict one for every comparison of a run.
namespace qx::collation {

// Case-sensitive: the names below a host.
int compare(std::string_view a, std::string_view b);

// Ignoring letter case, in every script the UTF-8 names use: the hosts. Equal
// exactly when the folded texts are equal.
int comparenocase(std::string_view a, std::string_view b);

// The text with every letter in its small form: each UTF-8 character lowered
// by the Unicode case mapping; bytes that form no character are kept.
std::string fold(std::string_view text);

} // namespace qx::collation
