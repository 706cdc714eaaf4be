#include "gui/output/desktopfileopener.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopFileOpener::open(const QString &fileName)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}
