// The program's icon for its windows, from the sizes built into it.
#pragma once

#include <QIcon>

namespace umlo {

// Every rendered size of the icon; the window system picks the one it needs.
QIcon ProgramIcon();

} // namespace umlo
