#pragma once

#include <QApplication>

class Prompts;

// The application object. An error that a handler lets escape ends that
// handler only: the general error box shows it and the program goes on.
class OrvaneApplication : public QApplication
{
public:
    OrvaneApplication(int &argc, char **argv);

    void setPrompts(Prompts *prompts) { m_prompts = prompts; }
    bool notify(QObject *receiver, QEvent *event) override;

    // Decimal comma for every number the user sees, whatever LANG says.
    static void pinNumberLocale();
    // Qt's own texts in Polish too, whatever LANG says: the file dialogs, the
    // details button of the message boxes, the serial port's error texts.
    // False when a catalogue is missing; those texts then stay in English.
    static bool installQtTranslations();

private:
    Prompts *m_prompts = nullptr;
};
