#pragma once

#include "clock.h"
#include "measurementstate.h"
#include "qtprompts.h"
#include "seriallink.h"
#include "services.h"

#include <QStringList>

#include <memory>

class TForm_OknoGlowne;
class TForm_Oprogramie;
class TForm_Pulpit;
class TForm_RS232;
class TForm_WyborKal;
class TForm_Sprawdzanie;
class TForm_Czestotliwosc;
class AmplitudePage;
class OutputMenu;

// Owns what the program shares and every window, created once in start-up
// order and kept until exit.
class Program
{
public:
    explicit Program(const QStringList &arguments);
    ~Program();

    Services &services() { return m_services; }
    TForm_OknoGlowne *mainWindow() const { return m_mainWindow.get(); }
    TForm_Oprogramie *aboutBox() const { return m_oprogramie.get(); }
    TForm_Sprawdzanie *verificationWindow() const { return m_sprawdzanie.get(); }
    // "&Drukuj", "Excel" and the chart pages of the verification window.
    OutputMenu *outputMenu() const { return m_outputMenu; }

    // The About box goes up first, as the splash.
    void showSplash();
    void createWindows();
    // The whole start-up before the message loop: the splash, every window,
    // and the main window maximised behind the splash.
    void start();

private:
    QStringList m_arguments;
    SerialLink m_link;
    EventLoopClock m_clock;
    QtPrompts m_prompts;
    Services m_services{m_link, m_clock, m_prompts, {}};

    // Shared by the measurement dialogs; outlives them.
    MeasurementState m_measurementState;

    std::unique_ptr<TForm_Oprogramie> m_oprogramie;
    std::unique_ptr<TForm_OknoGlowne> m_mainWindow;
    std::unique_ptr<TForm_Pulpit> m_pulpit;
    std::unique_ptr<TForm_RS232> m_rs232;
    std::unique_ptr<TForm_WyborKal> m_wyborKal;
    std::unique_ptr<TForm_Sprawdzanie> m_sprawdzanie;
    AmplitudePage *m_amplitudePage = nullptr;
    OutputMenu *m_outputMenu = nullptr;
};
