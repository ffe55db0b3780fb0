#include "exchange/BookmarkShape.h"

#include "exchange/HtmlOut.h"
#include "exchange/WholeFile.h"
#include "model/Object.h"
#include "model/Ref.h"
#include "stream/ofbwstream.h"

namespace qx {

int BookmarkShape::enter(const Ref& node) {
    const Object* target = ExportWalk::pageof(node);
    const bool link = target && !target->props().url.empty();
    if (link)
        bookmark(target->props());
    const bool folder = !link || !node.empty();
    if (folder) {
        if (!target) {
            openfolder(node.name().view(), 0);
        } else if (target->props().title.empty()) {
            const Str label = node.label();
            openfolder(label.view(), target->props().charset);
        } else {
            openfolder(target->props().title.view(), target->props().charset);
        }
    }
    folders_.push_back(folder);
    return 0;
}

int BookmarkShape::leave(const Ref&) {
    if (folders_.back())
        closefolder();
    folders_.pop_back();
    return 0;
}

platform::SysError BookmarkShape::writefile(const std::string& path,
                                            const std::function<void(owstream&)>& write) {
    ofbwstream out(path.c_str(), HtmlOut::kStreamBuffer);
    if (!out.good())
        return WholeFile::failure(platform::err::AccessDenied);
    write(out);
    if (out.close() != 0 || !out.good())
        return WholeFile::failure(platform::err::DiskFull);
    return 0;
}

} // namespace qx
