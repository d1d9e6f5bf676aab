#include "app/file_dialogs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QStringList>

#include "app/qt_convert.h"

namespace umlo {

QStringList NameFilters(std::string_view filter) {
    const QStringList parts = Utf8ToQString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        out << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    }
    return out;
}

void SetRussianLabels(QFileDialog& dialog, FileDialogKind kind) {
    const bool save = kind == FileDialogKind::Save;
    dialog.setLabelText(QFileDialog::LookIn,
                        save ? Utf8ToQString(kSaveFolderLabel) : QStringLiteral("Папка:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
    dialog.setLabelText(QFileDialog::FileType,
                        save ? Utf8ToQString(kSaveTypesLabel) : QStringLiteral("Тип файлов:"));
    dialog.setLabelText(QFileDialog::Accept,
                        save ? Utf8ToQString(kSaveButton) : QStringLiteral("Открыть"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
}

QComboBox* PrepareFileDialog(QFileDialog& dialog, FileDialogKind kind, const FileDialogSetup& setup,
                             int lastFilter) {
    const bool save = kind == FileDialogKind::Save;
    // The encoding list needs Qt's own dialog.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The caller asks before overwriting, with the program's own question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setWindowTitle(save ? QStringLiteral("Сохранить текст как")
                               : QStringLiteral("Загрузить текст"));
    SetRussianLabels(dialog, kind);
    const QStringList filters = NameFilters(!setup.filter.empty() ? setup.filter
                                            : save                ? kSaveFilter
                                                                  : kOpenFilter);
    dialog.setNameFilters(filters);
    const int filter = setup.filterIndex.value_or(lastFilter);
    if (filter >= 0 && filter < filters.size()) {
        dialog.selectNameFilter(filters[filter]);
    }
    if (!setup.folder.empty()) {
        dialog.setDirectory(Utf8ToQString(setup.folder));
    }
    if (!setup.fileName.empty()) {
        dialog.selectFile(Utf8ToQString(setup.fileName));
    }

    auto* encoding = new QComboBox(&dialog);
    encoding->setObjectName(QStringLiteral("EncodingList"));
    for (std::string_view name : kEncodingNames) {
        encoding->addItem(Utf8ToQString(name));
    }
    encoding->setCurrentIndex(setup.encodingIndex);
    encoding->setEnabled(setup.encodingEnabled);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* label = new QLabel(Utf8ToQString(kEncodingLabel), &dialog);
        label->setBuddy(encoding);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(encoding, row, 1);
    }
    return encoding;
}

std::optional<FileDialogChoice> RunFileDialog(QWidget* parent, FileDialogKind kind,
                                              const FileDialogSetup& setup, int& lastFilter) {
    QFileDialog dialog(parent);
    const QComboBox* encoding = PrepareFileDialog(dialog, kind, setup, lastFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    FileDialogChoice choice;
    choice.path = QStringToUtf8(dialog.selectedFiles().first());
    choice.encodingIndex = encoding->currentIndex();
    choice.filterIndex =
        static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
    lastFilter = choice.filterIndex;
    return choice;
}

void PrepareDictionaryDialog(QFileDialog& dialog, const QString& title, const std::string& folder,
                             const std::string& currentPath) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A missing file is reported by the caller with the program's own message.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowTitle(title);
    SetRussianLabels(dialog, FileDialogKind::Open);
    dialog.setNameFilters(NameFilters("Словарь|*.dat"));
    dialog.setDirectory(Utf8ToQString(folder));
    if (!currentPath.empty()) {
        dialog.selectFile(Utf8ToQString(currentPath));
    }
}

std::optional<std::string> RunDictionaryDialog(QWidget* parent, const QString& title,
                                               const std::string& folder,
                                               const std::string& currentPath) {
    QFileDialog dialog(parent);
    PrepareDictionaryDialog(dialog, title, folder, currentPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QStringToUtf8(dialog.selectedFiles().first());
}

} // namespace umlo
