// umlo: the ё-restoration program's main window.
#include <QApplication>

#include "app/main_window.h"
#include "app/qt_convert.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("umlo"));
    umlo::StartOptions start;
    start.programFolder = umlo::QStringToUtf8(QCoreApplication::applicationDirPath());
    // Only the first argument counts; the file system gives it in the locale's
    // encoding.
    if (argc > 1) {
        start.argument = umlo::QStringToUtf8(QString::fromLocal8Bit(argv[1]));
    }
    umlo::TMainForm window(std::move(start));
    window.show();
    return app.exec();
}
