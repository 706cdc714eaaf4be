#include "tests/support/gui/windowtesting.h"

#include "tests/support/core/testservices.h"

#include <QDialog>

namespace WindowTesting {

void setUp()
{
    ScriptedPrompts::dialogName = [](QDialog *dialog) { return dialog->objectName(); };
}

} // namespace WindowTesting
