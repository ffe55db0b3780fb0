#include "exchange/DropEffects.h"

namespace qx::dropeffect {

std::uint32_t fromKeys(bool shift, bool control) {
    if (shift && control)
        return Link;
    return control ? Copy : Move;
}

std::uint32_t fit(std::uint32_t wanted, std::uint32_t allowed) {
    if (wanted & allowed)
        return wanted;
    std::uint32_t second = None;
    if (wanted == Copy)
        second = Move;
    else if (wanted == Move)
        second = Copy;
    else
        return None;
    if (allowed & second)
        return second;
    return (allowed & Link) ? Link : None;
}

} // namespace qx::dropeffect
