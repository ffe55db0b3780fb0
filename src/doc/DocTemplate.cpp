#include "doc/DocTemplate.h"

#include "doc/DocView.h"

namespace qx::doc {

QString DocTemplate::dialogFilter() const {
    const QString pattern = QString::fromLatin1(kPattern);
    // A description that already names the pattern is used as it stands.
    if (description_.contains(QLatin1Char('(') + pattern + QLatin1Char(')')))
        return description_;
    return description_.isEmpty()
               ? pattern
               : description_ + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

std::unique_ptr<DocView> DocTemplate::createView(Editor& document) const {
    return viewFactory_ ? viewFactory_(document) : nullptr;
}

} // namespace qx::doc
