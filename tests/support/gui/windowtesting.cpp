#include "windowtesting.h"

#include "testservices.h"

#include <QDialog>

namespace WindowTesting {

void setUp()
{
    ScriptedPrompts::dialogName = [](QDialog *dialog) { return dialog->objectName(); };
}

} // namespace WindowTesting
