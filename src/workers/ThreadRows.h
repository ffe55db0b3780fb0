#pragma once

#include <string>

namespace qx {

class WThread;

// The thread window as the job board sees it: one row per worker, keyed by
// the worker, with its status line as the text. Tests put a recorder here.
class ThreadRows {
public:
    // Whether the window is open, so that rows are worth adding.
    virtual bool Shown() const = 0;
    virtual void AddRow(const WThread& worker, const std::string& text) = 0;
    virtual void UpdateRow(const WThread& worker, const std::string& text) = 0;
    virtual void RemoveRow(const WThread& worker) = 0;

protected:
    ~ThreadRows() = default;
};

} // namespace qx
