#pragma once

#include <memory>

namespace qx {
class Language;
}

namespace qx::test {

// The English language module of the build (QX_PROGRAM_DIR), loaded; null
// when there is none.
std::unique_ptr<Language> englishlanguage();

} // namespace qx::test
