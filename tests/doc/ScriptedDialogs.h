#pragma once

#include "RecordingMessageBoxer.h"
#include "doc/UserDialogs.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace qx::test {

// Message boxes and file dialogs answered from a script: boxes are recorded
// and answered from a queue (OK when it is empty), file dialogs take the next
// queued path (cancelled when there is none) and keep the requests; the
// program's own dialogs are recorded by object name and handled by the next
// queued script (cancelled when there is none), except those of the names
// given to runForReal, which run as the program runs them.
class ScriptedDialogs : public doc::UserDialogs {
public:
    int show(const std::string& text, const std::string& caption, unsigned style) override {
        return boxes_.show(text, caption, style);
    }
    QString openFileName(const doc::FileDialogRequest& request) override;
    QString saveFileName(const doc::FileDialogRequest& request) override;
    QString folderName(const doc::FileDialogRequest& request) override;
    int exec(QDialog& dialog) override;

    void answerNext(int answer) { boxes_.answerNext(answer); }
    void chooseNext(const QString& path) { paths_.append(path); }
    // What the next dialog run does with the dialog; its answer is the result.
    void handleNextDialog(std::function<int(QDialog&)> script) {
        scripts_.push_back(std::move(script));
    }

    // Dialogs of this object name are run, not scripted: those that may or
    // may not show, such as the progress of a job that can end at once.
    void runForReal(const QString& objectName) { realDialogs_.append(objectName); }

    const std::vector<RecordingMessageBoxer::Box>& boxes() const { return boxes_.boxes(); }
    // The texts of the boxes shown, in order.
    QStringList texts() const;
    const std::vector<doc::FileDialogRequest>& requests() const { return requests_; }
    // The object names of the dialogs run, in order.
    const QStringList& dialogsRun() const { return dialogsRun_; }

private:
    QString next(const doc::FileDialogRequest& request);

    RecordingMessageBoxer boxes_;
    QStringList paths_;
    std::vector<doc::FileDialogRequest> requests_;
    std::vector<std::function<int(QDialog&)>> scripts_;
    QStringList dialogsRun_;
    QStringList realDialogs_;
};

} // namespace qx::test
