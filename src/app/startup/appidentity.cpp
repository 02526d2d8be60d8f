#include "appidentity.h"

#include <QApplication>
#include <QIcon>

namespace AppIdentity {

QString desktopEntryId()
{
    return QStringLiteral("org.w4control.w4control");
}

void apply()
{
    // The class name is the application's name; fixed here so a copy started
    // under another file name still belongs to the menu entry.
    QCoreApplication::setApplicationName(QStringLiteral("w4control"));
    QGuiApplication::setDesktopFileName(desktopEntryId());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/res/w4control.png")));
}

} // namespace AppIdentity
