#include "orvaneapplication.h"
#include "program.h"
#include "tform_oknoglowne.h"
#include "tform_oprogramie.h"

int main(int argc, char *argv[])
{
    OrvaneApplication app(argc, argv);

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    Program program(arguments);

    program.showSplash();
    program.createWindows();
    program.mainWindow()->showMaximized();
    program.mainWindow()->activateWindow();
    // The splash stays in front of the main window until its OK is pressed.
    if (program.aboutBox()->isVisible())
        program.aboutBox()->raise();
    return app.exec();
}
