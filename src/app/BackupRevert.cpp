#include "app/BackupRevert.h"

#include "doc/DocumentCopy.h"
#include "doc/Editor.h"
#include "doc/MyDocManager.h"
#include "doc/Texts.h"
#include "doc/UserDialogs.h"
#include "lang/DocMessages.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "model/DocumentBackups.h"
#include "platform/FileSystem.h"
#include "settings/Options.h"
#include "ui/dialogs/FileChoiceDialog.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace qx::app {

BackupRevert::BackupRevert(doc::MyDocManager& documents, doc::DocumentStore& store,
                           const Options& options, const Language& language,
                           doc::UserDialogs& dialogs, std::string dataHome)
    : documents_(documents), store_(store), options_(options), language_(language),
      dialogs_(dialogs), dataHome_(std::move(dataHome)) {}

bool BackupRevert::possible() const {
    return documents_.document() && !documents_.document()->path().isEmpty();
}

void BackupRevert::run(QWidget* window) {
    if (!possible())
        return;
    doc::Editor& document = *documents_.document();
    const DocumentBackups backups(
        dataHome_, platform::resolvedPath(QFile::encodeName(document.path()).toStdString()),
        options_.backups);
    const std::vector<std::string> kept = backups.list();
    if (kept.empty()) {
        documents_.postDocError(document.title(), docmsg::NoBackups);
        return;
    }
    auto t = [&](unsigned id) { return doc::text(language_, id); };
    ui::FileChoiceDialog::Setup setup;
    setup.caption = t(text::BackupsCaption);
    setup.columns = {t(text::RecoveryKeptAt), t(text::BackupsSize)};
    const QLocale locale;
    for (const std::string& file : kept) {
        const QFileInfo info(QString::fromStdString(file));
        setup.rows.push_back({locale.toString(info.lastModified(), QLocale::ShortFormat),
                              locale.formattedDataSize(info.size())});
    }
    setup.acceptText = t(text::BackupsOpen);
    setup.rejectText = t(text::ButtonCancel);
    ui::FileChoiceDialog dialog(std::move(setup), window);
    dialog.setObjectName(QStringLiteral("BackupsDialog"));
    if (dialogs_.exec(dialog) != QDialog::Accepted || dialog.chosen() < 0)
        return;
    if (document.isDirty() &&
        documents_.postDocError(document.title(), docmsg::RevertToBackup, mb::YesNo) != mb::IdYes)
        return;
    const std::string& file = kept[static_cast<std::size_t>(dialog.chosen())];
    int result = 0;
    std::unique_ptr<DDoc> model =
        doc::DocumentCopy::read(store_, file, options_.sortServersType, result);
    if (!model) {
        documents_.postDocError(QFileInfo(QString::fromStdString(file)).fileName(),
                                docmsg::BackupUnreadable);
        return;
    }
    documents_.replaceContent(std::move(model));
}

} // namespace qx::app
