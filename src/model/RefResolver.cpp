#include "model/RefResolver.h"

namespace qx {

RefResolver::~RefResolver() = default;

} // namespace qx
