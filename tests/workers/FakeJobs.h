#pragma once

#include "platform/Event.h"
#include "workers/CheckWorker.h"
#include "workers/JobKinds.h"
#include "workers/SearchWorker.h"
#include "workers/ThreadRows.h"

#include <atomic>
#include <string>
#include <vector>

namespace qx::test {

// What the fake workers share with the test: a gate they wait behind (or a
// stop), whether they obey a stop, and how many of them are alive.
struct WorkerControl {
    platform::Event gate;
    bool obeyStop = true;
    // Whether the worker says that its first network handle exists.
    bool reportsStart = true;
    int result = 0;
    std::atomic<int> alive{0};
    std::atomic<int> exited{0}; // OnExit calls
};

// Says at once that its first network handle exists, runs until the gate opens
// (or, when it obeys, until stopped), then posts its end as the real workers do.
template <class Base> class GatedWorker : public Base {
public:
    template <class... Args>
    GatedWorker(WorkerControl& control, platform::WParam endParam, Args&&... args)
        : Base(std::forward<Args>(args)...), control_(control), endParam_(endParam) {
        ++control_.alive;
    }
    ~GatedWorker() override { --control_.alive; }

    int Run() override {
        if (control_.reportsStart)
            this->signalStarted();
        const platform::Event* ends[] = {&control_.gate, &this->StopEvent()};
        platform::waitForAny(ends, control_.obeyStop ? 2 : 1, platform::kInfinite);
        this->PostEnd(endParam_);
        return control_.result;
    }
    void OnExit() override { ++control_.exited; }

private:
    WorkerControl& control_;
    platform::WParam endParam_;
};

class FakeSearchJobs : public SearchJobs {
public:
    explicit FakeSearchJobs(WorkerControl& control) : control_(control) {}

    std::unique_ptr<SearchWorker> MakeSearchWorker(platform::MessageTarget* window,
                                                   SearchRef& search, std::uint16_t server,
                                                   const FindInfo& request) override;
    void FileResults(SearchWorker& worker) override;
    void FinishServer(SearchWorker& worker, int result) override;
    void Detach(SearchWorker& worker) override;
    void Abandoned(SearchWorker& worker) override;

    bool refuse = false; // the factory makes nothing
    std::vector<std::string> calls;

private:
    WorkerControl& control_;
};

class FakeCheckJobs : public CheckJobs {
public:
    explicit FakeCheckJobs(WorkerControl& control) : control_(control) {}

    std::unique_ptr<CheckWorker> MakeCheckWorker(platform::MessageTarget* window, const Str& url,
                                                 const platform::SystemTime& date,
                                                 CheckNode& node) override;
    void ApplyCheck(CheckWorker& worker, int result) override;
    bool CheckReference(Ref&) override { return false; }

    bool refuse = false;
    std::vector<std::string> calls;

private:
    WorkerControl& control_;
};

class RowRecorder : public ThreadRows {
public:
    bool Shown() const override { return shown; }
    void AddRow(const WThread& worker, const std::string& text) override;
    void UpdateRow(const WThread& worker, const std::string& text) override;
    void RemoveRow(const WThread& worker) override;

    bool shown = true;
    std::vector<std::string> calls;
    std::vector<const WThread*> rows;
};

} // namespace qx::test
