#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>
#include <memory>

namespace umlo {
namespace {

// Texts of Qt's file dialogs that its Russian translation leaves out: the
// type column names folders and drives in English otherwise.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (context == nullptr || sourceText == nullptr ||
            std::strcmp(context, "QAbstractFileIconProvider") != 0) {
            return {};
        }
        static const struct {
            const char* english;
            const char* russian;
        } kTexts[] = {
            {"Folder", "Папка"},
            {"Drive", "Диск"},
            {"Shortcut", "Ярлык"},
            {"Unknown", "Неизвестно"},
        };
        for (const auto& text : kTexts) {
            if (std::strcmp(sourceText, text.english) == 0) {
                return QString::fromUtf8(text.russian);
            }
        }
        return {};
    }
};

} // namespace

bool InstallQtRussian(QCoreApplication& app) {
    QCoreApplication::installTranslator(new MissingQtTexts(&app));
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}

} // namespace umlo
