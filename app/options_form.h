// TOptionsForm, "Опции": the options dialog. It edits the working copy
// DialogOptions on three tabs and closes with apply, apply-and-remember or
// cancel; the main window then takes the answer (CommitOptionsDialog).
#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/options_font.h"
#include "core/options.h"
#include "documents/options_exchange.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace umlo {

class QtTextBuffer;

// What the main window knows and the dialog only shows.
struct OptionsDialogInputs {
    Color BackColor = kWhite;      // the editor's background
    bool PlainText = true;         // the text in the editor is not rich text
    bool RegExprDicLoaded = false; // the regular-expression dictionary holds an expression
    bool EditorEnabled = false;    // Editor / Enabled in force
};

class TOptionsForm : public QDialog {
    Q_OBJECT

public:
    // The platform's font and colour dialogs; tests put their own in.
    // nullopt is the user's cancel.
    using FontChooser = std::function<std::optional<FontChoice>(const FontChoice& preset)>;
    using ColorChooser = std::function<std::optional<Color>(Color preset)>;

    // The codes the dialog closes with (QDialog::Rejected is cancel).
    enum Code { CodeApply = 1, CodeApplyAndRemember = 2 };

    explicit TOptionsForm(QWidget* parent = nullptr);
    ~TOptionsForm() override;

    // Starts DialogOptions from CurrentOptions, fills in the inputs, shows the
    // dialog modally and returns how it closed. The copies in force are not
    // touched: the caller hands the answer to CommitOptionsDialog.
    OptionsResult Execute(OptionCopies& copies, const OptionsDialogInputs& inputs);

    // The exchange without the modal loop: sets the controls from the working
    // copy, which the dialog then edits until it closes or is opened again.
    void Open(TOptions& dialogOptions);
    // The answer of the last close.
    OptionsResult Result() const;
    // The dictionary editor's switch as the dialog shows it; it lives beside
    // TOptions (Editor / Enabled), so the window takes it from here.
    void SetEditorEnabled(bool on);
    bool EditorEnabledTicked() const;

    void SetFontChooser(FontChooser chooser) { chooseFont_ = std::move(chooser); }
    void SetColorChooser(ColorChooser chooser) { chooseColor_ = std::move(chooser); }

    QTabWidget& Tabs() const { return *tabs_; }
    QPlainTextEdit& Sample() const { return *sample_; }
    QtTextBuffer& SampleBuffer() const { return *sampleBuffer_; }

private:
    struct BoundCheckBox {
        QCheckBox* box;
        bool TOptions::*field;
    };

    QCheckBox* AddCheckBox(QWidget* page, const char* name, const char* caption,
                           bool TOptions::*field);
    QPushButton* AddButton(QWidget* page, const char* name, const char* caption);
    QLineEdit* AddLineEdit(QWidget* page, const char* name);
    void BuildUmloPage();
    void BuildEditorPage();
    void BuildNetworkPage();
    void BuildButtons();

    void ApplyDependencies();
    void RedrawSample();
    void ChooseFont();
    void ChooseColor(Color TOptions::*field);
    // Collects the controls into the working copy and closes with code; a
    // number field that is not a number keeps the dialog open.
    void CollectAndClose(int code);
    QCheckBox& Box(bool TOptions::*field) const;

    TOptions* dialog_ = nullptr;
    TOptions idle_; // the working copy before the first Open
    FontChooser chooseFont_;
    ColorChooser chooseColor_;

    QTabWidget* tabs_ = nullptr;
    std::vector<BoundCheckBox> boxes_;
    QLineEdit* linesBelow_ = nullptr;
    QLineEdit* proxyName_ = nullptr;
    QLineEdit* proxyPort_ = nullptr;
    QPushButton* markColor_ = nullptr;
    QPushButton* backMarkColor_ = nullptr;
    QPushButton* font_ = nullptr;
    QCheckBox* editorEnabled_ = nullptr;
    QPlainTextEdit* sample_ = nullptr;
    std::unique_ptr<QtTextBuffer> sampleBuffer_;
};

} // namespace umlo
