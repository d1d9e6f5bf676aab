// Qt's own texts in Russian: the standard buttons, the file, colour and font
// dialogs. The interface is Russian whatever the system language.
#pragma once

class QCoreApplication;

namespace umlo {

// Loads Qt's Russian translation from Qt's translations folder and installs
// it in app; false when the translation is not there (the program's own
// message boxes name their buttons in Russian anyway).
bool InstallQtRussian(QCoreApplication& app);

} // namespace umlo
