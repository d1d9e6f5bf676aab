// TFilePropForm, "Свойства файла": the current text's file, format and size,
// its letter counts and the estimate of how far it is already ё-restored.
#pragma once

#include <QDialog>

#include <string>
#include <string_view>

#include "core/host.h"
#include "documents/text_buffer.h"
#include "documents/text_format.h"

class QTableWidget;

namespace umlo {

class TFilePropForm : public QDialog {
    Q_OBJECT

public:
    // A file that cannot be measured is reported through host.
    explicit TFilePropForm(Host& host, QWidget* parent = nullptr);
    ~TFilePropForm() override;

    // "Свойства файла" (Fileprop1): fills the grid for the editor's text, its
    // file (UTF-8, empty for none) and format, and waits until the window is
    // closed. False, with the window not shown, when the file's size cannot
    // be measured.
    bool ShowFileProperties(const TextBuffer& editor, std::string_view path, TextFormat format);
    // The filling alone; false (reported) when the file cannot be measured.
    bool Fill(const TextBuffer& editor, std::string_view path, TextFormat format);

    QTableWidget& sgProp() const { return *sgProp_; }

private:
    // Columns, rows and the window sized for the rows' texts.
    void LayOut();

    Host& host_;
    QTableWidget* sgProp_ = nullptr;
};

} // namespace umlo
