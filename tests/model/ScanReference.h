#pragma once

#include <string>
#include <string_view>

namespace qx {
class DDoc;
class Ref;
namespace test {

// findsorted as a plain scan of all the children in list order: the first
// child that compares equal; when there is none, the position is the first
// child that sorts after the name (under the domain root ordered by count,
// none).
Ref* scanfind(DDoc& doc, Ref& parent, std::string_view name, Ref** position);

// Names of the children, comma-separated.
std::string childnames(const Ref& parent);

} // namespace test
} // namespace qx
