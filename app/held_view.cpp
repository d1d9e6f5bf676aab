#include "app/held_view.h"

#include <QEvent>
#include <QPlainTextEdit>

namespace umlo {

HeldView::HeldView(QPlainTextEdit& edit) : QObject(&edit), edit_(edit) {
    for (QObject* child : edit.children()) {
        if (child->inherits("QWidgetTextControl")) {
            control_ = child;
        }
    }
    edit.viewport()->installEventFilter(this);
    if (control_ != nullptr) {
        control_->installEventFilter(this);
    }
}

void HeldView::Hold(bool on) {
    if (on == held_) {
        return;
    }
    held_ = on;
    QWidget& view = *edit_.viewport();
    if (on) {
        wasOpaque_ = view.testAttribute(Qt::WA_OpaquePaintEvent);
        view.setAttribute(Qt::WA_OpaquePaintEvent, true);
    } else {
        view.setAttribute(Qt::WA_OpaquePaintEvent, wasOpaque_);
    }
}

bool HeldView::eventFilter(QObject* watched, QEvent* event) {
    if (held_) {
        if (watched == edit_.viewport() && event->type() == QEvent::Paint) {
            return true;
        }
        // The caret's blink asks where the caret is.
        if (watched == control_ && event->type() == QEvent::Timer) {
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace umlo
