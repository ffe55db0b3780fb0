#include "cli/InterruptibleRun.h"

#include "cli/ErrorText.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "workers/JobLoop.h"

#include <cstdio>

namespace qx::cli {

void InterruptibleRun::saveProgress(const std::string& path, DDoc& doc) {
    doc.commit();
    if (const int result = saveDocument(path, doc))
        std::fprintf(stderr, "qxseek-cli: cannot save %s: %s\n", path.c_str(),
                     documentfailure(result).c_str());
}

platform::InterruptSignals::Kind InterruptibleRun::run(JobLoop& loop) const {
    using Clock = std::chrono::steady_clock;
    using platform::InterruptSignals;
    InterruptSignals::install();
    auto saved = Clock::now();
    while (!loop.Run(kSliceMs)) {
        if (tick)
            tick();
        if (const InterruptSignals::Kind signal = InterruptSignals::received();
            signal != InterruptSignals::Kind::None) {
            loop.Loop().processPending();
            if (stop)
                stop();
            loop.Run(JobBoard::kShutdownWaitMs);
            return signal;
        }
        if (save && Clock::now() - saved >= saveEvery) {
            save();
            saved = Clock::now();
        }
    }
    return InterruptSignals::Kind::None;
}

} // namespace qx::cli
