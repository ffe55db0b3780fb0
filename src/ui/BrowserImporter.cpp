#include "ui/BrowserImporter.h"

#include "doc/Editor.h"
#include "doc/Texts.h"
#include "doc/UserDialogs.h"
#include "doc/WaitCursor.h"
#include "exchange/BrowserImport.h"
#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "ui/ExportCommands.h"
#include "ui/ProgressRun.h"
#include "ui/dialogs/BrowserImportDialog.h"

#include <QFile>
#include <QFileInfo>

namespace qx::ui {

BrowserImporter::BrowserImporter(const Language& language, doc::UserDialogs& dialogs,
                                 std::string home, std::string config)
    : language_(language), dialogs_(dialogs), home_(std::move(home)), config_(std::move(config)) {}

void BrowserImporter::run(doc::Editor& editor, QString& lastFolder) {
    const std::vector<BrowserProfile> profiles = BrowserProfiles::find(home_, config_);
    const QString caption = doc::text(language_, text::BrowserImportCaption);

    // The counts take a whole read of every store: a large profile takes a
    // moment, so they are made off the interface thread too.
    std::vector<BrowserImportDialog::Entry> entries;
    ProgressRun counting(dialogs_, language_, caption,
                         QString::fromStdString(language_.text(text::CountingBookmarks)));
    if (!counting.run([&] {
            for (const BrowserProfile& profile : profiles) {
                BrowserImport count;
                const int result = count.read(profile);
                entries.push_back({profile, result == BrowserImport::Ok
                                                ? static_cast<long long>(count.tree().bookmarks())
                                            : result == BrowserImport::NoBookmarks ? 0
                                                                                   : -1});
            }
        }))
        return;

    BrowserImportDialog choice(language_, std::move(entries), [&] {
        const QString path = dialogs_.openFileName(
            {ExportCommands::dialogFilter(language_.text(text::BookmarkStoreFilter)), QString(),
             lastFolder});
        if (!path.isEmpty())
            lastFolder = QFileInfo(path).absolutePath();
        return path;
    });
    if (dialogs_.exec(choice) != QDialog::Accepted)
        return;
    const BrowserProfile* profile = choice.chosenProfile();
    if (!profile && choice.chosenFile().isEmpty())
        return;
    const std::string store =
        profile ? profile->file : QFile::encodeName(choice.chosenFile()).toStdString();
    const std::string shown = profile ? profile->browser + ": " + profile->name
                                      : QFileInfo(choice.chosenFile()).fileName().toStdString();

    BrowserImport import;
    int result = BrowserImport::Unreadable;
    ProgressRun reading(dialogs_, language_, caption,
                        QString::fromStdString(language_.format(text::ReadingBookmarks, shown)));
    if (!reading.run(
            [&] { result = profile ? import.read(*profile) : import.read(store, profiles); }))
        return;
    if (result != BrowserImport::Ok) {
        report(result, profile ? store : shown);
        return;
    }
    {
        // Filing touches the document, which only this thread may do.
        const doc::WaitCursor wait;
        const doc::Editor::Change change(editor);
        const std::uint64_t before = editor.model().stamp();
        import.place(editor.model());
        // Importing a profile again may add nothing: then the views hear of
        // no change, which would leave a step to take back.
        if (editor.model().stamp() != before) {
            editor.model().commit();
            editor.modelChanged();
        }
    }
    dialogs_.show(language_.format(
                      text::BrowserImported, import.foldername(), static_cast<int>(import.added()),
                      static_cast<int>(import.present()), static_cast<int>(import.skipped())),
                  language_.text(text::BrowserImportCaption), mb::Ok | mb::IconInformation);
}

void BrowserImporter::report(int result, const std::string& store) {
    const unsigned id = result == BrowserImport::NoBookmarks  ? text::StoreWithoutBookmarks
                        : result == BrowserImport::Unreadable ? text::StoreUnreadable
                                                              : text::StoreDamaged;
    dialogs_.show(language_.format(id, store), language_.text(text::BrowserImportCaption),
                  mb::Ok | mb::IconExclamation);
}

} // namespace qx::ui
