#pragma once

#include "model/FindInfo.h"
#include "search/FindHistory.h"
#include "ui/dialogs/DialogControls.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

namespace qx {
class ApplicationProfile;
class EngineTable;
class Language;
struct Options;
struct SearchProp;
} // namespace qx

namespace qx::ui {

// The find dialog: a query with its results per engine, engines, mode,
// exclusion and check flag, a history of the requests accepted, and for a
// saved search the statistics of its runs. OK leaves the accepted request in
// the request given, puts it at the front of the history in the settings file
// and takes the "FindDialogAtStart" box into the options. Its controls carry
// their numbers as object names.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 20;
    static constexpr int kEngineBoxes = 16;

    // search: the saved search whose statistics are shown, or none. The
    // engine table names the boxes and the statistics' engines.
    FindDialog(FindInfo& request, const SearchProp* search, const Language& language,
               const EngineTable& engines, ApplicationProfile& profile, Options& options,
               HelpHandler help = {}, QWidget* parent = nullptr);

    void accept() override;

private:
    void buildStatistics(const SearchProp& search, const Language& language,
                         const EngineTable& engines);
    // Every control but the query from a request.
    void showFields(const FindInfo& request);
    void historyChosen(int index);
    void modeChosen(int mode, bool checked);

    FindInfo& request_;
    ApplicationProfile& profile_;
    Options& options_;
    FindHistory history_;
    QComboBox* query_;
    QLineEdit* max_;
    QCheckBox* engines_[kEngineBoxes];
    QButtonGroup* mode_;
    QCheckBox* check_;
    QLineEdit* exclude_;
    QLabel* excludeLabel_;
    QTreeWidget* statistics_;
    QCheckBox* atStart_;
};

} // namespace qx::ui
