#pragma once

#include "exchange/BrowserProfiles.h"

#include <QDialog>
#include <functional>
#include <vector>

class QTreeWidget;

namespace qx {
class Language;
}

namespace qx::ui {

// The choice of what File > Import from Browser reads: one of the profiles
// found on this computer, each by browser and profile name with the number
// of its bookmarks, or a Bookmarks file or places.sqlite chosen by hand.
class BrowserImportDialog : public QDialog {
    Q_OBJECT
public:
    struct Entry {
        BrowserProfile profile;
        // Its bookmarks; -1 when the store could not be read.
        long long bookmarks = 0;
    };
    // Asks for a store's path; empty when cancelled.
    using FileChooser = std::function<QString()>;

    BrowserImportDialog(const Language& language, std::vector<Entry> entries,
                        FileChooser chooseFile, QWidget* parent = nullptr);

    // The chosen profile, or null when a file was chosen instead.
    const BrowserProfile* chosenProfile() const;
    // The file chosen by hand; empty when a profile was chosen.
    const QString& chosenFile() const { return chosenFile_; }

private:
    void chooseFile();

    std::vector<Entry> entries_;
    FileChooser chooser_;
    QString chosenFile_;
    QTreeWidget* list_;
};

} // namespace qx::ui
