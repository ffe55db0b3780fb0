#include "CheckFixture.h"

#include "model/Container.h"
#include "model/RefRoot.h"
#include "platform/FileTime.h"

namespace qx::test {

CheckFixture::CheckFixture() {
    options_.checkThreads = 8;
    options_.checksPerHost = 0;
    loop_ = std::make_unique<JobLoop>(options_, profile_);
    if (language_)
        checker_ = std::make_unique<Checker>(doc_, loop_->Board(), *language_, options_);
}

platform::SystemTime CheckFixture::Date(long unixSeconds) {
    platform::SystemTime date;
    if (unixSeconds)
        platform::fileTimeToSystemTime(platform::fileTimeFromUnix(unixSeconds), date);
    return date;
}

Ref& CheckFixture::AddReference(const std::string& url, long modified, Ref* parent) {
    UrlRef* node = doc_.filedomainnode(url);
    if (!node->target()) {
        ObjectProp props;
        props.url = Str(url);
        props.modified = Date(modified);
        auto* page = static_cast<Object*>(doc_.container().add(std::make_unique<Object>(props)));
        doc_.settarget(*node, page);
    }
    return doc_.createresult(node->target(), nullptr, parent ? *parent : doc_.orgroot(), nullptr,
                             false);
}

std::uint16_t CheckFixture::StateOf(const std::string& url) {
    return doc_.finddomainnode(url)->flags() & Ref::kCheckState;
}

const ObjectProp& CheckFixture::PropsOf(const std::string& url) {
    return doc_.finddomainnode(url)->target()->props();
}

} // namespace qx::test
