#pragma once

#include "RecordingMessageBoxer.h"
#include "doc/UserDialogs.h"

#include <QStringList>
#include <vector>

namespace qx::test {

// Message boxes and file dialogs answered from a script: boxes are recorded
// and answered from a queue (OK when it is empty), file dialogs take the next
// queued path (cancelled when there is none) and keep the requests.
class ScriptedDialogs : public doc::UserDialogs {
public:
    int show(const std::string& text, const std::string& caption, unsigned style) override {
        return boxes_.show(text, caption, style);
    }
    QString openFileName(const doc::FileDialogRequest& request) override;
    QString saveFileName(const doc::FileDialogRequest& request) override;

    void answerNext(int answer) { boxes_.answerNext(answer); }
    void chooseNext(const QString& path) { paths_.append(path); }

    const std::vector<RecordingMessageBoxer::Box>& boxes() const { return boxes_.boxes(); }
    // The texts of the boxes shown, in order.
    QStringList texts() const;
    const std::vector<doc::FileDialogRequest>& requests() const { return requests_; }

private:
    QString next(const doc::FileDialogRequest& request);

    RecordingMessageBoxer boxes_;
    QStringList paths_;
    std::vector<doc::FileDialogRequest> requests_;
};

} // namespace qx::test
