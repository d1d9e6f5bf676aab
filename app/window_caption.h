// The modified marker lives with the documents, for the dictionary editor
// too; the window puts the caption on screen.
#pragma once

#include <QString>

#include "documents/window_caption.h"

class QWidget;

namespace umlo {

// Sets the window's caption. An empty caption stays empty on screen: Qt
// would show the program's name in its place.
void ShowCaption(QWidget& window, const QString& caption);

} // namespace umlo
