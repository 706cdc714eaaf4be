#include "orvaneapplication.h"
#include "program.h"
#include "tform_oknoglowne.h"

int main(int argc, char *argv[])
{
    OrvaneApplication app(argc, argv);

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    Program program(arguments);
    app.setPrompts(&program.services().prompts);

    program.showSplash();
    program.createWindows();
    program.mainWindow()->showMaximized();
    return app.exec();
}
