// The interface speaks Russian also where Qt brings its own texts: the
// buttons of the message boxes, the file dialogs' labels and titles, and
// Qt's translation for the colour and font dialogs.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "app/about_form.h"
#include "app/file_dialogs.h"
#include "app/message_box.h"
#include "app/qt_translations.h"
#include "dicedit/dic_edit_form.h"

namespace umlo {
namespace {

QString ButtonText(const QMessageBox& box, QMessageBox::StandardButton which) {
    const QAbstractButton* b = box.button(which);
    return b != nullptr ? b->text() : QStringLiteral("(none)");
}

QAbstractButton* DefaultOf(const QMessageBox& box) {
    return box.defaultButton();
}

TEST(RussianMessageBoxes, EveryButtonSetHasRussianTextsAndItsDefault) {
    {
        QMessageBox box;
        PrepareMessageBox(box, MessageKind::Warning, "Сохранить?", MessageButtons::YesNoCancel,
                          MessageResult::Yes);
        EXPECT_EQ(ButtonText(box, QMessageBox::Yes), QStringLiteral("Да"));
        EXPECT_EQ(ButtonText(box, QMessageBox::No), QStringLiteral("Нет"));
        EXPECT_EQ(ButtonText(box, QMessageBox::Cancel), QStringLiteral("Отмена"));
        EXPECT_EQ(DefaultOf(box), box.button(QMessageBox::Yes));
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Внимание"));
    }
    {
        QMessageBox box;
        PrepareMessageBox(box, MessageKind::Warning, "Обнулить?", MessageButtons::YesNo,
                          MessageResult::No);
        EXPECT_EQ(box.buttons().size(), 2);
        EXPECT_EQ(ButtonText(box, QMessageBox::Yes), QStringLiteral("Да"));
        EXPECT_EQ(DefaultOf(box), box.button(QMessageBox::No));
    }
    {
        QMessageBox box;
        PrepareMessageBox(box, MessageKind::Error, "Файл\rне найден", MessageButtons::Ok,
                          MessageResult::Ok);
        // Cyrillic О and К, not the Latin OK.
        EXPECT_EQ(ButtonText(box, QMessageBox::Ok), QString::fromUtf8("\xD0\x9E\xD0\x9A"));
        EXPECT_EQ(box.text(), QStringLiteral("Файл\nне найден"));
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
    }
    {
        QMessageBox box;
        PrepareMessageBox(box, MessageKind::Information, "?", MessageButtons::OkCancel,
                          MessageResult::Cancel);
        EXPECT_EQ(ButtonText(box, QMessageBox::Cancel), QStringLiteral("Отмена"));
        EXPECT_EQ(DefaultOf(box), box.button(QMessageBox::Cancel));
    }
}

TEST(RussianMessageBoxes, TheAboutBoxClosesWithTheSameCyrillicButton) {
    TAboutForm about;
    const auto* ok = about.findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QString::fromUtf8("\xD0\x9E\xD0\x9A"));
}

bool HasCyrillic(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF) {
            return true;
        }
    }
    return false;
}

TEST(RussianFileDialogs, TextDialogsAreRussianWithTheEncodingList) {
    for (FileDialogKind kind : {FileDialogKind::Open, FileDialogKind::Save}) {
        QFileDialog dialog;
        FileDialogSetup setup;
        setup.folder = QDir::tempPath().toStdString();
        setup.encodingIndex = 1;
        const QComboBox* encoding = PrepareFileDialog(dialog, kind, setup, kOpenFilterAllTypes);
        ASSERT_NE(encoding, nullptr);
        EXPECT_EQ(encoding->currentText(), QStringLiteral("UTF-8"));
        for (QFileDialog::DialogLabel label :
             {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType,
              QFileDialog::Accept, QFileDialog::Reject}) {
            EXPECT_TRUE(HasCyrillic(dialog.labelText(label)))
                << dialog.labelText(label).toStdString();
        }
        bool encodingLabel = false;
        for (const QLabel* l : dialog.findChildren<QLabel*>()) {
            encodingLabel = encodingLabel || l->text() == QStringLiteral("&Кодировка:");
        }
        EXPECT_TRUE(encodingLabel);
        for (const QString& filter : dialog.nameFilters()) {
            EXPECT_TRUE(HasCyrillic(filter)) << filter.toStdString();
        }
    }
    QFileDialog save;
    PrepareFileDialog(save, FileDialogKind::Save, {}, 0);
    EXPECT_EQ(save.windowTitle(), QStringLiteral("Сохранить текст как"));
    EXPECT_EQ(save.labelText(QFileDialog::Accept), QStringLiteral("Сохранить"));
    QFileDialog open;
    PrepareFileDialog(open, FileDialogKind::Open, {}, 0);
    EXPECT_EQ(open.windowTitle(), QStringLiteral("Загрузить текст"));
    EXPECT_EQ(open.labelText(QFileDialog::Accept), QStringLiteral("Открыть"));
    EXPECT_EQ(open.labelText(QFileDialog::Reject), QStringLiteral("Отмена"));
}

TEST(RussianFileDialogs, DictionaryDialogsCarryTheCommandAsTitle) {
    QFileDialog main;
    PrepareDictionaryDialog(main, QStringLiteral("Загрузить основной словарь"),
                            QDir::tempPath().toStdString(), {});
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Загрузить основной словарь"));
    EXPECT_EQ(main.nameFilters(), QStringList{QStringLiteral("Словарь (*.dat)")});
    EXPECT_TRUE(HasCyrillic(main.labelText(QFileDialog::LookIn)));

    QFileDialog editorOpen;
    TDicEditForm::PrepareFileDialog(editorOpen, false, QStringLiteral("Вычесть словарь"),
                                    QDir::tempPath().toStdString(), {});
    EXPECT_EQ(editorOpen.windowTitle(), QStringLiteral("Вычесть словарь"));
    EXPECT_EQ(editorOpen.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_TRUE(editorOpen.testOption(QFileDialog::DontUseNativeDialog));
    QFileDialog editorSave;
    TDicEditForm::PrepareFileDialog(editorSave, true, QStringLiteral("Сохранить словарь"),
                                    QDir::tempPath().toStdString(), "/x/umlox.dat");
    EXPECT_EQ(editorSave.windowTitle(), QStringLiteral("Сохранить словарь"));
    EXPECT_EQ(editorSave.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(editorSave.nameFilters(), QStringList{QStringLiteral("Словарь (*.dat)")});
}

// Last: the translation stays installed for the rest of this program.
TEST(QtTranslation, QtsOwnDialogsSpeakRussianOnceInstalled) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(folder + QStringLiteral("/qtbase_ru.qm"))) {
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    }
    ASSERT_TRUE(InstallQtRussian(*qApp));
    EXPECT_TRUE(HasCyrillic(QCoreApplication::translate("QColorDialog", "Select Color")));
    EXPECT_TRUE(HasCyrillic(QCoreApplication::translate("QFontDialog", "Select Font")));
    EXPECT_TRUE(HasCyrillic(QCoreApplication::translate("QPlatformTheme", "&Yes")));
    EXPECT_TRUE(HasCyrillic(QCoreApplication::translate("QPlatformTheme", "Cancel")));
    // A plain Qt file dialog, as the dictionary editor's, gets Qt's own labels.
    EXPECT_TRUE(HasCyrillic(QCoreApplication::translate("QFileDialog", "Look in:")));
    EXPECT_TRUE(HasCyrillic(QCoreApplication::translate("QFileDialog", "Files of type:")));
    // What Qt's translation leaves out, the program adds: the file list's type column.
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"),
              QStringLiteral("Папка"));
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Drive"),
              QStringLiteral("Диск"));
}

} // namespace
} // namespace umlo
