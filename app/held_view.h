// The editor's view while a pass holds it between showings.
//
// A paragraph whose lines were dropped for a batch of letter swaps (see
// letter_swap_layout.h) is laid out whole by anything that asks for its
// geometry, and for a paragraph of millions of characters that costs more
// than the pass's work on it. Under the hold nothing asks: a repaint queued
// before the hold is dropped, the view keeping its last picture (the
// background is not filled first), and the caret does not blink. The hold's
// end repaints the view.
#pragma once

#include <QObject>

class QPlainTextEdit;

namespace umlo {

class HeldView : public QObject {
public:
    // Watches the editor's viewport and its text control; owned by the editor.
    explicit HeldView(QPlainTextEdit& edit);

    void Hold(bool on);
    bool Held() const { return held_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit& edit_;
    QObject* control_ = nullptr; // the widget's QWidgetTextControl, which blinks the caret
    bool held_ = false;
    bool wasOpaque_ = false;
};

} // namespace umlo
