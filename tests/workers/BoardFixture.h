#pragma once

#include "FakeJobs.h"
#include "TempDir.h"
#include "platform/MessageLoop.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "workers/JobBoard.h"
#include "workers/WaitList.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace qx::test {

// A job board on a message loop of the test's own, with fake search and check
// jobs and a row recorder.
class BoardFixture : public ::testing::Test {
protected:
    BoardFixture();
    ~BoardFixture() override;

    // Handles the loop's messages until the condition holds: false after a
    // few seconds without it.
    bool pumpUntil(const std::function<bool()>& done);
    // Opens the gate and handles every end message until no worker is left.
    bool finishAll();

    TempDir dir_;
    ApplicationProfile profile_;
    Options options_;
    WaitList waits_;
    platform::MessageLoop loop_;
    WorkerControl control_;
    FakeSearchJobs searches_{control_};
    FakeCheckJobs checks_{control_};
    RowRecorder rows_;
    std::unique_ptr<JobBoard> board_;
};

} // namespace qx::test
