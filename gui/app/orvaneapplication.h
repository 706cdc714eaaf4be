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

private:
    Prompts *m_prompts = nullptr;
};
