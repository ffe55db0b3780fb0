#include "app/RecoveryStart.h"

#include "doc/DocumentCopy.h"
#include "doc/MyDocManager.h"
#include "doc/RecoveryTimer.h"
#include "doc/Texts.h"
#include "doc/UserDialogs.h"
#include "lang/DocMessages.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "platform/DocumentLock.h"
#include "settings/Options.h"
#include "ui/dialogs/FileChoiceDialog.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <memory>
#include <vector>

namespace qx::app {

namespace {

struct Found {
    RecoveryFiles::Entry entry;
    std::unique_ptr<DDoc> model;
};

bool openElsewhere(const RecoveryFiles::Entry& entry) {
    platform::DocumentLock lock;
    const platform::DocumentLock::State state = lock.acquire(entry.file);
    return state == platform::DocumentLock::State::Busy ||
           state == platform::DocumentLock::State::OtherHost;
}

} // namespace

RecoveryStart::RecoveryStart(doc::MyDocManager& documents, doc::RecoveryTimer& timer,
                             doc::DocumentStore& store, const Options& options,
                             const Language& language, doc::UserDialogs& dialogs)
    : documents_(documents), timer_(timer), store_(store), options_(options), language_(language),
      dialogs_(dialogs) {}

bool RecoveryStart::offer(QWidget* window) {
    const RecoveryFiles& files = timer_.files();
    std::vector<Found> found;
    for (RecoveryFiles::Entry& entry : files.list()) {
        if (openElsewhere(entry))
            continue;
        int result = 0;
        std::unique_ptr<DDoc> model =
            entry.document.empty()
                ? nullptr
                : doc::DocumentCopy::read(store_, entry.file, options_.sortServersType, result);
        if (!model) {
            files.setAside(entry);
            documents_.postDocError(QString::fromStdString(entry.file), docmsg::RecoveryUnreadable);
            continue;
        }
        found.push_back({std::move(entry), std::move(model)});
    }
    if (found.empty())
        return false;

    auto t = [&](unsigned id) { return doc::text(language_, id); };
    ui::FileChoiceDialog::Setup setup;
    setup.caption = t(text::RecoveryCaption);
    setup.intro = t(text::RecoveryIntro);
    setup.columns = {t(text::RecoveryDocument), t(text::RecoveryKeptAt)};
    for (const Found& f : found) {
        const QString kept = QLocale().toString(
            QFileInfo(QString::fromStdString(f.entry.file)).lastModified(), QLocale::ShortFormat);
        setup.rows.push_back({RecoveryFiles::isUntitled(f.entry.document)
                                  ? t(text::Untitled)
                                  : QString::fromStdString(f.entry.document),
                              kept});
    }
    setup.acceptText = t(text::RecoveryRestore);
    setup.rejectText = t(text::RecoveryLater);
    setup.removeText = t(text::RecoveryDiscard);
    setup.removed = [&](int row) {
        files.remove(found[static_cast<std::size_t>(row)].entry.document);
    };
    ui::FileChoiceDialog dialog(std::move(setup), window);
    dialog.setObjectName(QStringLiteral("RecoveryDialog"));
    if (dialogs_.exec(dialog) != QDialog::Accepted || dialog.chosen() < 0)
        return false;
    Found& chosen = found[static_cast<std::size_t>(dialog.chosen())];
    const std::string& document = chosen.entry.document;
    const QString path =
        RecoveryFiles::isUntitled(document) ? QString() : QString::fromStdString(document);
    if (!documents_.openRecovered(std::move(chosen.model), path))
        return false;
    timer_.adopt(document);
    return true;
}

} // namespace qx::app
