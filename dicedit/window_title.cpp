#include "dicedit/window_title.h"

#include <QWidget>
#include <QWindow>

namespace umlo {

void ShowCaption(QWidget& window, const QString& caption) {
    window.setWindowTitle(caption);
    if (QWindow* handle = window.windowHandle(); handle != nullptr && caption.isEmpty()) {
        // A blank is not empty, so the window system gets no name put in.
        handle->setTitle(QStringLiteral(" "));
    }
}

} // namespace umlo
