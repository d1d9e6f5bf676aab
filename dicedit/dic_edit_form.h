// TDicEditForm: the dictionary editor's window. The dictionary pane and, right
// of a splitter, the word window; the menu, the status field and the file
// dialogs. Everything it does is DicEditor's; the window only wires it.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/host.h"
#include "dicedit/dic_editor.h"
#include "documents/text_buffer.h"

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QSplitter;

namespace umlo {

class TMorphForm;

// The text buffer over one of the window's panes (the program's own Qt buffer).
using PaneBufferFactory = std::function<std::unique_ptr<TextBuffer>(QPlainTextEdit& pane)>;

class TDicEditForm : public QDialog {
    Q_OBJECT

public:
    // Messages go to `messages` (the main window's boxes); the panes are made
    // text buffers by `makeBuffer`.
    TDicEditForm(Host& messages, DicEditContext context, const PaneBufferFactory& makeBuffer,
                 QWidget* parent = nullptr);
    ~TDicEditForm() override;

    // "Редактор словарей": the window at the given place, modal, until it closes.
    void Execute(const QRect& place);
    // "Копировать в редактор словарей" and the collection: a cp1251 word at the
    // end of the word window, whether the window is open or not.
    void AppendWord(std::string_view word);

    // Editor / SplitSize: the word window's width.
    int SplitSize() const;
    void SetSplitSize(int width);
    // The check mark of "Вести лог новых слов", for Editor / InsertLog.
    bool InsertLogOn() const;

    // For tests: the file dialogs answered without a window (save tells
    // which one is asked).
    using PathAnswerer = std::function<std::optional<std::string>(bool save)>;
    void SetPathAnswerer(PathAnswerer answerer) { pathAnswerer_ = std::move(answerer); }
    // The dictionary dialog before it is shown: title, filter, folder and,
    // for saving, the file name (UTF-8; only its last part counts).
    static void PrepareFileDialog(QFileDialog& dialog, bool save, const QString& title,
                                  const std::string& folder, const std::string& fileName);
    DicEditor& Logic() { return *logic_; }
    TextBuffer& DictionaryPane() { return *dictionaryBuffer_; }
    TextBuffer& WordPane() { return *wordBuffer_; }
    QPlainTextEdit& DicEditorWidget() { return *dicEditor_; }
    QPlainTextEdit& WordEditorWidget() { return *wordEditor_; }
    QAction* Action(const QString& name) const;
    QString StatusText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class WindowHost;
    friend class WindowHost;

    QMenuBar* CreateMenus();
    QAction* AddCommand(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                        std::function<void()> handler, bool ownsShortcut = true);
    void SyncCheckMarks();
    void Morph1Click();
    void Exit1Click();
    std::optional<std::string> AskPath(bool save, const QString& title, const std::string& folder,
                                       const std::string& fileName);
    void SetBusy(bool on);
    bool EscPressed();
    DicPane FocusedPane() const;
    void FocusChanged(QWidget* now);

    Host& messages_;
    QPlainTextEdit* dicEditor_ = nullptr;
    QPlainTextEdit* wordEditor_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QLabel* status_ = nullptr;
    TMorphForm* morphForm_ = nullptr;
    std::unique_ptr<TextBuffer> dictionaryBuffer_;
    std::unique_ptr<TextBuffer> wordBuffer_;
    std::unique_ptr<WindowHost> host_;
    std::unique_ptr<DicEditor> logic_;
    std::map<QString, QAction*> actions_;
    PathAnswerer pathAnswerer_;
    DicPane lastPane_ = DicPane::Words;
    int splitSize_ = 90;
    int busy_ = 0;
    bool escPressed_ = false;
    QElapsedTimer sincePump_;
    bool closing_ = false;
};

} // namespace umlo
