// The confirmation panel at the bottom of the main window: a pink band while
// a pass works, a light-blue band with the prompt, the two forms, the word in
// its context and the answer buttons while a question waits.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

#include "app/qt_text_buffer.h"
#include "core/pass_host.h"

class QEventLoop;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QPlainTextEdit;

namespace umlo {

class AskPanel : public QWidget {
    Q_OBJECT

public:
    // The band colours and prompt colours (red in the low byte).
    static constexpr Color kAskingColor = 16761024;
    static constexpr Color kWaitingColor = 12632319;
    static constexpr Color kWarningPromptColor = 255;
    static constexpr Color kNeutralPromptColor = 8388608;

    // Tags of the buttons: the order of the answers on the panel.
    enum Tag { TagYe = 1, TagUmlo, TagYeAll, TagUmloAll, TagUndo, TagCancel };

    // editor is the main editor; its selection is the asked word.
    AskPanel(TextBuffer& editor, QWidget* parent = nullptr);
    ~AskPanel() override;

    // Up to four accelerators of "Е", "Ё", "Всегда Е", "Всегда Ё".
    void SetHotKeys(const QString& keys);
    QString HotKeys() const { return hotKeys_; }

    void SetAskingState(bool on, bool undoAvailable);
    void SetWaitingLook(bool asking);
    // Fills the panel for one word; the editor font sets the context line's.
    void ShowQuestion(const AskQuestion& question, const QFont& editorFont);
    // Runs a nested event loop until an answer comes; AnswerCancel when the
    // application quits meanwhile.
    int WaitForAnswer();
    bool Waiting() const { return loop_ != nullptr; }
    // What the buttons do; also the way an answer reaches a waiting question.
    void SetAnswer(int answer);
    // Keys while a question waits: accelerators (with or without Alt), Enter
    // for the focused answer, Esc for "Прервать". True when the key is the
    // panel's; it acts only with act set (a shortcut check only asks).
    bool HandleKey(const QKeyEvent& event, bool act = true);

    QPushButton& Button(Tag tag) const { return *buttons_[tag - 1]; }
    const QLabel& Prompt() const { return *prompt_; }
    QtTextBuffer& ContextLine() { return *contextBuffer_; }
    QPlainTextEdit& ContextWidget() const { return *context_; }
    QColor BandColor() const { return band_; }

    // The one-letter field that changes an answer button's accelerator; it
    // opens on a right click on one of the four answer buttons.
    QLineEdit& HotKeyEditor() const { return *hotKeyEdit_; }
    bool EditingHotKey() const { return hotKeyTag_ != 0; }

signals:
    // A question is on the panel and its loop is about to wait.
    void questionShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ResetCaptions();
    void ArrangeAskPanel();
    void SetPrompt(const QString& text, Color color);
    // The answer Enter takes looks it: default button, bold caption; any
    // other tag marks neither form.
    void MarkProposed(Tag proposed);
    // The sample line's font, its height following the font's line spacing,
    // and the panel's height following the line and the bevel.
    void SetContextFont(const QFont& font);
    void FitHeight();
    QString Key(int index) const;
    void OpenHotKeyEditor(Tag tag);
    // take: Enter (the typed key becomes the accelerator unless it is in use).
    void CloseHotKeyEditor(bool take);

    TextBuffer& editor_;
    QPlainTextEdit* context_ = nullptr;
    std::unique_ptr<QtTextBuffer> contextBuffer_;
    QFrame* bevel_ = nullptr;
    QLabel* prompt_ = nullptr;
    std::array<QPushButton*, 6> buttons_{};
    QString hotKeys_ = QStringLiteral("1234");
    QColor band_;
    QEventLoop* loop_ = nullptr;
    int answer_ = 0;
    bool proposal_ = true;
    QLineEdit* hotKeyEdit_ = nullptr;
    int hotKeyTag_ = 0; // the button being changed, 0 when the field is closed
    std::array<bool, 6> heldEnabled_{};
};

} // namespace umlo
