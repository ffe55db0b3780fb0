#pragma once

#include "ResourceScript.h"

#include <string>

namespace qx::rc {

// The C++ source that compiles a script's resources into the tables of a
// language module (modules/lang/runtime/LangTables.h).
std::string moduleSource(const ResourceScript& script, const std::string& scriptName);

} // namespace qx::rc
