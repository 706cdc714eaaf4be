#include "documentfile.h"
#include "orvaneapplication.h"
#include "program.h"

int main(int argc, char *argv[])
{
    OrvaneApplication app(argc, argv);
    DocumentFile::ignoreFileSizeSignal();

    QStringList arguments = app.arguments();
    arguments.removeFirst();
    Program program(arguments);
    app.setPrompts(&program.services().prompts);

    program.start();
    return app.exec();
}
