#include "ui/ExportCommands.h"

#include "doc/Editor.h"
#include "doc/UserDialogs.h"
#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "exchange/BookmarkPlacement.h"
#include "exchange/BookmarkTree.h"
#include "exchange/FavoritesExport.h"
#include "exchange/HtmlPage.h"
#include "exchange/XbelExport.h"
#include "exchange/XbelFormat.h"
#include "exchange/XbelImport.h"
#include "lang/DocMessages.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "model/RefRoot.h"
#include "settings/PlatformSettings.h"
#include "ui/BrowserImporter.h"
#include "ui/Commands.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdlib>

namespace qx::ui {

namespace {
constexpr unsigned kShortcutsWritten = 9812;
} // namespace

ExportCommands::ExportCommands(DocumentSource document, ApplicationProfile& profile,
                               const Language& language, doc::UserDialogs& dialogs)
    : document_(std::move(document)), profile_(profile), language_(language), dialogs_(dialogs) {
    addCommands();
}

QString ExportCommands::dialogFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // The description may name its patterns already, in the other form.
        if (const qsizetype open = description.indexOf(QLatin1Char('(')); open >= 0)
            description = description.left(open).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

std::vector<const Ref*> ExportCommands::nodes() const {
    if (selection_)
        return selection_();
    std::vector<const Ref*> all;
    if (doc::Editor* editor = document_()) {
        for (Tree* n = editor->model().orgroot().firstchild(); n; n = n->nextsibling())
            all.push_back(static_cast<const Ref*>(n));
    }
    return all;
}

void ExportCommands::addCommands() {
    using doc::CommandTable;
    auto anything = [this] { return CommandTable::enabledIf(!nodes().empty()); };
    commands_.add(cmd::ExportHtml, anything, [this] { exportHtml(); });
    commands_.add(cmd::ExportFavorites, anything, [this] { exportFavorites(); });
    commands_.add(cmd::ExportBookmarks, anything, [this] { exportBookmarks(); });
    commands_.add(cmd::ExportXbel, anything, [this] { exportXbel(); });
    auto open = [this] { return CommandTable::enabledIf(document_() != nullptr); };
    commands_.add(cmd::ImportBookmarks, open, [this] { importBookmarks(); });
    commands_.add(cmd::ImportFromBrowser, open, [this] { importFromBrowser(); });
}

QString ExportCommands::savePath(unsigned filterText, const char* extension) {
    const QString path = dialogs_.saveFileName(
        {dialogFilter(language_.text(filterText)), QString::fromLatin1(extension), lastFolder_});
    if (path.isEmpty())
        return {};
    const QFileInfo chosen(path);
    lastFolder_ = chosen.absolutePath();
    if (chosen.exists() && language_.documentMessage(dialogs_, chosen.fileName().toStdString(),
                                                     docmsg::Overwrite, mb::YesNo) != mb::IdYes)
        return {};
    return path;
}

void ExportCommands::reportWriteFailure(const QString& path) {
    language_.documentMessage(dialogs_, QFileInfo(path).fileName().toStdString(),
                              docmsg::CannotSave, 0);
}

void ExportCommands::exportHtml() {
    const std::vector<const Ref*> selected = nodes();
    const QString path = savePath(text::HtmlFileFilter, "html");
    if (path.isEmpty())
        return;
    HtmlPage page(language_, language_.programFolder());
    if (page.WriteHtmlPage(QFile::encodeName(path).toStdString(), selected) != 0)
        reportWriteFailure(path);
}

void ExportCommands::exportFavorites() {
    const std::vector<const Ref*> selected = nodes();
    // Asked each time, starting in the folder used last: writing silently
    // into a folder the user may never look at tells nothing.
    const QString last =
        QString::fromStdString(PlatformSettings::favoritesFolder(profile_, std::getenv("HOME")));
    const QString folder = dialogs_.folderName({QString(), QString(), last});
    if (folder.isEmpty())
        return;
    PlatformSettings::setFavoritesFolder(profile_, folder.toStdString());
    FavoritesExport favorites;
    if (favorites.ExportToFavorites(QFile::encodeName(folder).toStdString(), selected, language_,
                                    dialogs_) != 0)
        return;
    dialogs_.show(language_.format(kShortcutsWritten, static_cast<int>(favorites.written()),
                                   folder.toStdString()),
                  language_.text(text::FavoritesErrorCaption), mb::Ok | mb::IconInformation);
}

void ExportCommands::exportFile(unsigned filterText, const char* extension,
                                const FileWriter& write) {
    const std::vector<const Ref*> selected = nodes();
    const QString path = savePath(filterText, extension);
    if (path.isEmpty())
        return;
    if (write(QFile::encodeName(path).toStdString(), selected) != 0)
        reportWriteFailure(path);
}

void ExportCommands::exportBookmarks() {
    exportFile(text::BookmarkFileFilter, "html", [](const std::string& path, NodeSpan nodes) {
        return BookmarkExport().write(path, nodes);
    });
}

void ExportCommands::exportXbel() {
    exportFile(text::XbelFileFilter, "xbel", [](const std::string& path, NodeSpan nodes) {
        return XbelExport().write(path, nodes);
    });
}

void ExportCommands::importFromBrowser() {
    doc::Editor* editor = document_();
    if (!editor)
        return;
    const char* home = std::getenv("HOME");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    BrowserImporter importer(language_, dialogs_, home ? home : "", config ? config : "");
    importer.run(*editor, lastFolder_);
}

void ExportCommands::importBookmarks() {
    doc::Editor* editor = document_();
    if (!editor)
        return;
    const QString path = dialogs_.openFileName(
        {dialogFilter(language_.text(text::BookmarkFileFilter)), QString(), lastFolder_});
    if (path.isEmpty())
        return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const std::string name = QFileInfo(path).fileName().toStdString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        language_.documentMessage(dialogs_, name, docmsg::CannotOpen, 0);
        return;
    }
    const QByteArray read = file.readAll();
    const std::string_view bytes(read.constData(), static_cast<std::size_t>(read.size()));
    // An XBEL file is read whole before the document changes: a truncated
    // one adds nothing.
    BookmarkTree xbel;
    const bool isXbel = XbelFormat::looksxbel(bytes);
    if (isXbel && XbelImport::read(bytes, xbel) != XbelImport::Ok) {
        language_.documentMessage(dialogs_, name, text::NotABookmarkFile, 0);
        return;
    }
    // The whole import is one step of Undo.
    const doc::Editor::Change change(*editor);
    DDoc& model = editor->model();
    if (isXbel) {
        BookmarkPlacement(model).addall(xbel, model.orgroot());
    } else if (BookmarkImport import(model);
               import.read(bytes, model.orgroot()) != BookmarkImport::Ok) {
        language_.documentMessage(dialogs_, name, text::NotABookmarkFile, 0);
        return;
    }
    model.commit();
    editor->modelChanged();
}

} // namespace qx::ui
