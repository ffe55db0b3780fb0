#include "model/UrlRef.h"

#include "model/Object.h"

namespace qx {

RefIcon UrlRef::icon() const {
    RefIcon result = Ref::icon();
    result.dimmed = !target_ || !target_->hasflags(Object::Confirmed);
    return result;
}

} // namespace qx
