#include "ui/ProgressRun.h"

#include "doc/Texts.h"
#include "doc/UserDialogs.h"
#include "lang/TextIds.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <future>

namespace qx::ui {

namespace {

// How often the dialog looks whether the job is done.
constexpr std::chrono::milliseconds kPoll{30};

} // namespace

bool ProgressRun::run(std::function<void()> job) {
    // The future's destructor waits for the thread: a cancelled job still
    // ends before what it fills goes away.
    std::future<void> done = std::async(std::launch::async, std::move(job));
    if (done.wait_for(quiet_) == std::future_status::ready)
        return true;

    QDialog dialog;
    dialog.setObjectName(QStringLiteral("progress"));
    dialog.setWindowTitle(caption_);
    auto* label = new QLabel(label_, &dialog);
    auto* bar = new QProgressBar(&dialog);
    // The readers cannot tell how far they are: the bar runs without an end.
    bar->setRange(0, 0);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(doc::text(language_, text::ButtonCancel), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(bar);
    layout->addWidget(buttons);

    // A timer rather than a call from the thread: the dialog may not be shown
    // yet, or be gone already, when the job ends.
    QTimer poll(&dialog);
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        if (done.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready)
            dialog.accept();
    });
    poll.start(kPoll);
    const bool finished = dialogs_.exec(dialog) == QDialog::Accepted;
    done.wait();
    return finished;
}

} // namespace qx::ui
