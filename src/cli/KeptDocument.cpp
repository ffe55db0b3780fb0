#include "cli/KeptDocument.h"

namespace qx::cli {

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kFreeAtEnd = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kFreeAtEnd = true;
#else
constexpr bool kFreeAtEnd = false;
#endif
#else
constexpr bool kFreeAtEnd = false;
#endif

} // namespace

KeptDocument::KeptDocument() : doc_(std::make_unique<DDoc>()) {}

KeptDocument::~KeptDocument() {
    if (!kFreeAtEnd) {
        // The process ends after the command: its memory goes back whole.
        static_cast<void>(doc_.release());
    }
}

} // namespace qx::cli
