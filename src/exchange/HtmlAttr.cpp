#include "exchange/HtmlAttr.h"

namespace qx {

HtmlAttr::HtmlAttr(int attribute, std::int32_t number, bool signedvalue)
    : attribute(attribute), kind(signedvalue ? Signed : Unsigned), number(number) {}

HtmlAttr::HtmlAttr(int attribute, const char* text)
    : attribute(attribute), kind(Text), text(text) {}

} // namespace qx
