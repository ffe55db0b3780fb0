#pragma once

#include <QString>
#include <chrono>
#include <functional>

namespace qx {
class Language;
}

namespace qx::doc {
class UserDialogs;
}

namespace qx::ui {

// Runs a job on a thread of its own so that the window keeps drawing. A job
// done within a moment shows nothing; a longer one shows a dialog with a
// running bar and Cancel. The job must not touch the document or any widget:
// it fills something the caller reads once run() has returned.
class ProgressRun {
public:
    ProgressRun(doc::UserDialogs& dialogs, const Language& language, QString caption, QString label)
        : dialogs_(dialogs), language_(language), caption_(std::move(caption)),
          label_(std::move(label)) {}

    // How long the job may take before the dialog shows.
    void setQuietTime(std::chrono::milliseconds quiet) { quiet_ = quiet; }

    // True when the job ended; false when the user cancelled, and then its
    // result is to be dropped (the job is let finish first, since it cannot
    // be stopped half-way without leaving its result half made).
    bool run(std::function<void()> job);

private:
    doc::UserDialogs& dialogs_;
    const Language& language_;
    QString caption_;
    QString label_;
    std::chrono::milliseconds quiet_{300};
};

} // namespace qx::ui
