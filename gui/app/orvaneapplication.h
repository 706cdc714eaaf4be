#pragma once

#include <QApplication>

// The application object. Every window reports the errors of its own
// handlers; one that still escapes is only logged here, as a last resort,
// and the program goes on.
class OrvaneApplication : public QApplication
{
public:
    OrvaneApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Decimal comma for every number the user sees, whatever LANG says.
    static void pinNumberLocale();
};
