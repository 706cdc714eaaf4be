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
    // Qt's own texts in Polish too, whatever LANG says: the file dialogs, the
    // details button of the message boxes, the serial port's error texts.
    // False when a catalogue is missing; those texts then stay in English.
    static bool installQtTranslations();
};
