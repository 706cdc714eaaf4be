#pragma once

#include "core/base/clock.h"
#include "core/calibrator/services.h"
#include "core/link/seriallink.h"
#include "core/measure/measurementstate.h"
#include "core/register/registerrecorder.h"
#include "core/simulator/portlink.h"
#include "core/simulator/simulatedcalibrator.h"
#include "core/simulator/simulatedlink.h"
#include "gui/link/qtprompts.h"

#include <QStringList>

#include <memory>

class TForm_OknoGlowne;
class TForm_Oprogramie;
class TForm_Pulpit;
class TForm_RS232;
class TForm_WyborKal;
class TForm_Sprawdzanie;
class TForm_Czestotliwosc;
class TForm_Rejestr;
class AmplitudePage;
class FrequencyPage;
class CharacteristicTabs;
class SimulatorDisplay;
class OutputMenu;

// Owns what the program shares and every window, each created once and kept
// until exit. The verification window, with its pages, dialogs and outputs,
// is created when it is first wanted: the main window shows sooner.
//
// "--demo" among the arguments drives the simulated calibrator for this
// session, whatever port "orvane.ini" names, and leaves the file alone.
class Program
{
public:
    // Seams a test puts in place of the program's own; null keeps the
    // program's.
    struct Seams
    {
        Link *link = nullptr;
        Clock *clock = nullptr;
        Prompts *prompts = nullptr;
    };

    explicit Program(const QStringList &arguments);
    Program(const QStringList &arguments, const Seams &seams);
    ~Program();

    Services &services() { return m_services; }
    SimulatedCalibrator &simulator() { return m_simulator; }
    // Null until the simulated instrument is first used.
    SimulatorDisplay *simulatorDisplay() const { return m_simulatorDisplay.get(); }
    TForm_OknoGlowne *mainWindow() const { return m_mainWindow.get(); }
    TForm_Oprogramie *aboutBox() const { return m_oprogramie.get(); }
    // The verification window and its parts, made at the first call.
    TForm_Sprawdzanie *verificationWindow();
    // "&Drukuj", "Excel" and the chart pages of the verification window.
    OutputMenu *outputMenu();
    // The tab bars under the verification window's notebook.
    CharacteristicTabs *characteristicTabs();

    // The About box goes up first, as the splash.
    void showSplash();
    // Every window at once, the verification window too.
    void createWindows();
    // The whole start-up before the message loop: the splash, the main
    // window and the windows it opens, and the main window maximised behind
    // the splash.
    void start();

private:
    void createMainWindow();
    void showSimulatorDisplay();
    void showRegister();

    QStringList m_arguments;
    bool m_demo = false;
    SerialLink m_serialLink;
    // The calibrator simulated inside the program, for the port "simulator".
    SimulatedCalibrator m_simulator;
    SimulatedLink m_simulatedLink{m_simulator};
    PortLink m_link{m_serialLink, m_simulatedLink};
    EventLoopClock m_clock;
    QtPrompts m_prompts;
    Services m_services;

    // Shared by the measurement dialogs; outlives them.
    MeasurementState m_measurementState;
    // Every save of the verification window goes into the register.
    RegisterRecorder m_registerRecorder;

    std::unique_ptr<TForm_Oprogramie> m_oprogramie;
    std::unique_ptr<TForm_OknoGlowne> m_mainWindow;
    std::unique_ptr<TForm_Pulpit> m_pulpit;
    std::unique_ptr<TForm_RS232> m_rs232;
    std::unique_ptr<TForm_WyborKal> m_wyborKal;
    std::unique_ptr<TForm_Sprawdzanie> m_sprawdzanie;
    AmplitudePage *m_amplitudePage = nullptr;
    FrequencyPage *m_frequencyPage = nullptr;
    CharacteristicTabs *m_tabs = nullptr;
    std::unique_ptr<SimulatorDisplay> m_simulatorDisplay;
    OutputMenu *m_outputMenu = nullptr;
    // Made when first opened.
    std::unique_ptr<TForm_Rejestr> m_rejestr;
};
