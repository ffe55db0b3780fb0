#include "app/DisplayCheck.h"
#include "app/HelpDisplay.h"
#include "app/Program.h"
#include "doc/FileDocumentStore.h"
#include "doc/QtUserDialogs.h"
#include "lang/ProgramFolder.h"
#include "settings/SettingsLocation.h"
#include "ui/X11LinkSelection.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char** argv) {
    if (const std::string problem = qx::app::DisplayCheck::problem(argc, argv); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    QApplication application(argc, argv);
    // The application ends the loop itself once its window has gone.
    QApplication::setQuitOnLastWindowClosed(false);
    const auto links = qx::ui::X11LinkSelection::install();

    const std::string executable = qx::SettingsLocation::runningExecutable();
    qx::app::StartupPaths paths{
        executable, qx::ProgramFolder::current(), qx::SettingsLocation::forProgram(executable),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()};

    qx::doc::QtUserDialogs dialogs;
    qx::app::BrowserHelpDisplay help;
    qx::doc::FileDocumentStore store;
    qx::app::Program program(paths, dialogs, help, store);
    dialogs.useLanguage(&program.language());

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return program.run(arguments);
}
