// umlo: the ё-restoration program's main window.
#include <QApplication>
#include <QDir>

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "app/program_arguments.h"
#include "app/program_icon.h"
#include "app/qt_convert.h"
#include "app/qt_translations.h"
#include "documents/program_folder.h"
#include "documents/version_text.h"

int main(int argc, char** argv) {
    const std::string programFolder = umlo::ProgramFolder(argc > 0 ? argv[0] : nullptr);
    // The usage and the versions need no display, so they come before Qt.
    switch (umlo::RequestOf(argc > 1 ? argv[1] : "")) {
    case umlo::ProgramRequest::Help:
        std::fputs(umlo::WindowUsageText().c_str(), stdout);
        return 0;
    case umlo::ProgramRequest::Version:
        std::fputs(umlo::VersionText("umlo", programFolder).c_str(), stdout);
        return 0;
    case umlo::ProgramRequest::Window:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("umlo"));
    // Matches the window to its menu entry (umlo.desktop) and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("umlo"));
    QApplication::setWindowIcon(umlo::ProgramIcon());
    umlo::InstallQtRussian(app);
    umlo::StartOptions start;
    start.programFolder = programFolder;
    // Taken before the start-up makes the program folder current: a relative
    // path on the command line means the folder the user started us from.
    start.startFolder = umlo::QStringToUtf8(QDir::currentPath());
    // Only the first argument counts (Qt has taken its own out); the file
    // system gives it in the locale's encoding.
    if (argc > 1) {
        start.argument = umlo::QStringToUtf8(QString::fromLocal8Bit(argv[1]));
    }
    umlo::TMainForm window(std::move(start));
    window.show();
    return app.exec();
}
