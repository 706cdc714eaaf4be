#include "gui/app/orvaneapplication.h"

#include "gui/resources/artwork.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

OrvaneApplication::OrvaneApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Orvane 707"));
    // No display name: X11 would add it to every caption ("Pulpit sterujący —
    // Orvane 707"). The desktop finds the program's name and icon through its
    // desktop file instead.
    setDesktopFileName(QStringLiteral(ORVANE_APP_ID));
    setOrganizationName(QStringLiteral("Orvane"));
    setWindowIcon(Artwork::icon());
    pinNumberLocale();
    installQtTranslations();
}

void OrvaneApplication::pinNumberLocale()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

bool OrvaneApplication::installQtTranslations()
{
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool complete = true;
    for (const QString &catalogue :
         {QStringLiteral("qtbase_pl"), QStringLiteral("qtserialport_pl")}) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(catalogue, directory)) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
            complete = false;
        }
    }
    return complete;
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
