#include "orvaneapplication.h"

#include <QLocale>

OrvaneApplication::OrvaneApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Orvane 707"));
    setApplicationDisplayName(QStringLiteral("Orvane 707"));
    setOrganizationName(QStringLiteral("Orvane"));
    pinNumberLocale();
}

void OrvaneApplication::pinNumberLocale()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

bool OrvaneApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        qCritical("An error escaped the handler of %s: %s", receiver->metaObject()->className(),
                  error.what());
        return false;
    }
}
