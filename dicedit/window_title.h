// A window's caption on screen, for the main window and the dictionary
// editor alike.
#pragma once

#include <QString>

class QWidget;

namespace umlo {

// Sets the window's caption. An empty caption stays empty on screen: Qt
// would show the program's name in its place. Call again once the window
// has its window-system window, which takes its caption only then.
void ShowCaption(QWidget& window, const QString& caption);

} // namespace umlo
