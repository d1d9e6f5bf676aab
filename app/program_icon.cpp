#include "app/program_icon.h"

#include <QDir>

namespace umlo {

QIcon ProgramIcon() {
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString& name : sizes.entryList({QStringLiteral("umlo-*.png")}, QDir::Files)) {
        icon.addFile(sizes.filePath(name));
    }
    return icon;
}

} // namespace umlo
