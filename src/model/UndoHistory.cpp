#include "model/UndoHistory.h"

#include "model/DDoc.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"

namespace qx {

namespace {
// The memory form grows in steps of this size.
constexpr int kWriteStep = 64 * 1024;
} // namespace

void UndoHistory::begin(DDoc& doc) {
    if (depth_++ > 0)
        return;
    stepChanged_ = false;
    mwstream out(kWriteStep);
    // A document that cannot be written to memory cannot be taken back: the
    // step then leaves no level.
    if (doc.write(out) == 0)
        pending_.assign(out.buffer().data(), static_cast<std::size_t>(out.buffer().size()));
    else
        pending_.clear();
}

void UndoHistory::changed() {
    if (depth_ > 0)
        stepChanged_ = true;
    else
        clear();
}

void UndoHistory::end() {
    if (depth_ == 0 || --depth_ > 0)
        return;
    if (stepChanged_ && !pending_.empty()) {
        levels_kept_.push_back(std::move(pending_));
        while (levels_kept_.size() > levels_)
            levels_kept_.pop_front();
    }
    pending_.clear();
    stepChanged_ = false;
}

std::unique_ptr<DDoc> UndoHistory::undo(int sortservers) {
    if (levels_kept_.empty() || depth_ > 0)
        return nullptr;
    std::string bytes = std::move(levels_kept_.back());
    levels_kept_.pop_back();
    auto doc = std::make_unique<DDoc>();
    memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    if (doc->read(in) != 0) {
        clear();
        return nullptr;
    }
    // The bytes were written in the current hosts' order; setting it does
    // not sort them again.
    doc->setsortservers(sortservers);
    return doc;
}

void UndoHistory::clear() {
    levels_kept_.clear();
}

} // namespace qx
