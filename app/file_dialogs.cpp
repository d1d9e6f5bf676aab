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

std::optional<FileDialogChoice> RunFileDialog(QWidget* parent, FileDialogKind kind,
                                              const FileDialogSetup& setup, int& lastFilter) {
    const bool save = kind == FileDialogKind::Save;
    QFileDialog dialog(parent);
    // The encoding list needs Qt's own dialog.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The caller asks before overwriting, with the program's own question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setWindowTitle(save ? QStringLiteral("Сохранить текст как")
                               : QStringLiteral("Загрузить текст"));
    if (save) {
        dialog.setLabelText(QFileDialog::Accept, Utf8ToQString(kSaveButton));
        dialog.setLabelText(QFileDialog::FileType, Utf8ToQString(kSaveTypesLabel));
        dialog.setLabelText(QFileDialog::LookIn, Utf8ToQString(kSaveFolderLabel));
    }
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

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    FileDialogChoice choice;
    choice.path = QStringToUtf8(dialog.selectedFiles().first());
    choice.encodingIndex = encoding->currentIndex();
    choice.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    lastFilter = choice.filterIndex;
    return choice;
}

std::optional<std::string> RunDictionaryDialog(QWidget* parent, const std::string& folder,
                                               const std::string& currentPath) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A missing file is reported by the caller with the program's own message.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters("Dictionary|*.dat"));
    dialog.setDirectory(Utf8ToQString(folder));
    if (!currentPath.empty()) {
        dialog.selectFile(Utf8ToQString(currentPath));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QStringToUtf8(dialog.selectedFiles().first());
}

} // namespace umlo
