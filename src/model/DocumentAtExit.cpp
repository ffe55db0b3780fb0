#include "model/DocumentAtExit.h"

#include "model/DDoc.h"

namespace qx {

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kFreeAtExit = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kFreeAtExit = true;
#else
constexpr bool kFreeAtExit = false;
#endif
#else
constexpr bool kFreeAtExit = false;
#endif

} // namespace

void leaveDocumentAtExit(std::unique_ptr<DDoc> doc) {
    if (!kFreeAtExit) {
        static_cast<void>(doc.release());
    }
}

} // namespace qx
