#pragma once

#include <cstddef>

namespace qx::platform {

// Asks the system to back the whole pages inside a block of memory that is
// about to be filled, in one call instead of one fault per page. Only a hint:
// a system that cannot do it leaves the pages to be faulted in as they are
// touched.
void populatePages(void* block, std::size_t bytes);

} // namespace qx::platform
