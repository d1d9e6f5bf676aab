// The program's own 16×16 pictures of the menu commands, drawn in code: the
// menu items carry them, and the toolbar shows them on the buttons of
// commands that have no picture of their own.
#pragma once

#include <QIcon>
#include <QString>

namespace umlo {

inline constexpr int kPictureSize = 16;

// A null icon for a name that has no picture (it then gets no button).
QIcon CommandPicture(const QString& itemName);

} // namespace umlo
