#include "gui/app/program.h"

#include "core/base/configpaths.h"
#include "core/document/documentsession.h"
#include "core/link/serialsettings.h"
#include "gui/app/tform_oknoglowne.h"
#include "gui/app/tform_oprogramie.h"
#include "gui/app/tform_wyborkal.h"
#include "gui/characteristic/amplitude/amplitudepage.h"
#include "gui/characteristic/characteristictabs.h"
#include "gui/characteristic/frequency/frequencypage.h"
#include "gui/characteristic/measuremenu.h"
#include "gui/characteristic/tform_niepewnosc.h"
#include "gui/document/characteristicframe.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/link/tform_rs232.h"
#include "gui/measure/tform_pomiary.h"
#include "gui/measure/tform_pomiarydn.h"
#include "gui/measure/tform_pomiarydn_cz.h"
#include "gui/measure/tform_pomiarydo.h"
#include "gui/measure/tform_pomiarydo_cz.h"
#include "gui/output/chartpages.h"
#include "gui/output/outputmenu.h"
#include "gui/panel/tform_czestotliwosc.h"
#include "gui/panel/tform_pulpit.h"
#include "gui/register/tform_rejestr.h"
#include "gui/simulator/simulatordisplay.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

Program::Program(const QStringList &arguments) : Program(arguments, Seams{}) {}

Program::Program(const QStringList &arguments, const Seams &seams)
    : m_arguments(arguments), m_services{seams.link ? *seams.link : m_link,
                                         seams.clock ? *seams.clock : m_clock,
                                         seams.prompts ? *seams.prompts : m_prompts,
                                         {}}
{
    m_demo = m_arguments.removeAll(QStringLiteral("--demo")) > 0;
    // The simulated instrument is of the model the program drives, and it
    // shows itself whenever the program talks to it.
    m_simulatedLink.onOpen = [this] {
        m_simulator.setModel(m_services.model);
        showSimulatorDisplay();
    };
}

Program::~Program()
{
    m_services.link.close();
}

void Program::showSplash()
{
    m_oprogramie = std::make_unique<TForm_Oprogramie>();
    m_oprogramie->show();
    m_oprogramie->repaint();
    QApplication::processEvents();
}

void Program::start()
{
    // A settings file that is not a file is left alone and the program runs
    // with its defaults; the user hears of it at once, and again in a box
    // once the main window is up.
    const QStringList refusals = ConfigPaths::refusals();
    for (const QString &refusal : refusals)
        std::fprintf(stderr, "orvane707: %s\n", qPrintable(refusal));
    showSplash();
    createMainWindow();
    m_mainWindow->showMaximized();
    m_mainWindow->activateWindow();
    if (!refusals.isEmpty())
        QTimer::singleShot(0, m_mainWindow.get(), [this, refusals] {
            m_services.prompts.show(refusals.join(QLatin1Char('\n')), QStringLiteral("Uwaga"),
                                    PromptIcon::Warning);
        });
    if (m_link.usesSimulator())
        showSimulatorDisplay();
    // The splash stays in front of the main window until its OK is pressed.
    if (m_oprogramie->isVisible())
        m_oprogramie->raise();
}

void Program::createWindows()
{
    createMainWindow();
    verificationWindow();
}

void Program::createMainWindow()
{
    // The main window needs the windows it opens; they are created right
    // before it, in the order the program always had, and the verification
    // window is handed to it as a way to make it.
    TForm_OknoGlowne::Windows windows;
    windows.oprogramie = m_oprogramie.get();

    m_pulpit = std::make_unique<TForm_Pulpit>(m_services);
    windows.pulpit = m_pulpit.get();
    m_rs232 = std::make_unique<TForm_RS232>(m_services);
    if (m_demo)
        m_rs232->useForThisSession(SerialSettings::SimulatorDevice);
    m_wyborKal = std::make_unique<TForm_WyborKal>(m_services);
    windows.wyborKal = m_wyborKal.get();

    windows.sprawdzanie = [this] { return verificationWindow(); };
    windows.openArgument = [this](const QString &path) {
        verificationWindow()->setOpenArgument(path);
    };
    windows.rejestr = [this] { showRegister(); };

    m_mainWindow = std::make_unique<TForm_OknoGlowne>(m_services, windows, m_arguments);
}

TForm_Sprawdzanie *Program::verificationWindow()
{
    if (m_sprawdzanie)
        return m_sprawdzanie.get();
    m_sprawdzanie = std::make_unique<TForm_Sprawdzanie>(m_services);
    m_sprawdzanie->setRS232Window(m_rs232.get());
    m_sprawdzanie->session().setVerificationRecorder(&m_registerRecorder);
    // One frequency entry dialog for the lists of both tables. It and the
    // pages belong to the window from here on.
    auto *czestotliwosc = new TForm_Czestotliwosc(m_services.prompts, m_sprawdzanie.get());
    DocumentSession &session = m_sprawdzanie->session();
    CharacteristicFrame &frame = m_sprawdzanie->frame();
    m_amplitudePage = new AmplitudePage(m_services, session, frame, *czestotliwosc);
    m_frequencyPage = new FrequencyPage(m_services, session, frame, *czestotliwosc);
    // The measurement dialogs and the "Po&miary" command live with the window.
    auto *pomiaryDO = new TForm_PomiaryDO(m_services, m_measurementState, m_sprawdzanie.get());
    auto *pomiaryDN = new TForm_PomiaryDN(m_services, m_measurementState, m_sprawdzanie.get());
    auto *pomiary = new TForm_Pomiary(m_services, m_sprawdzanie.get());
    auto *measureMenu = new MeasureMenu(m_services, m_measurementState, session, *m_sprawdzanie,
                                        *m_sprawdzanie->Menu_Pomiary, *m_amplitudePage, *pomiaryDO,
                                        *pomiaryDN, *pomiary);
    auto *pomiaryDN_Cz =
        new TForm_PomiaryDN_Cz(m_services, m_measurementState, m_sprawdzanie.get());
    auto *pomiaryDO_Cz =
        new TForm_PomiaryDO_Cz(m_services, m_measurementState, m_sprawdzanie.get());
    measureMenu->addFrequency(*m_frequencyPage, *pomiaryDO_Cz, *pomiaryDN_Cz);
    // "&Drukuj" and "Excel" with the report form and the chart pages.
    m_outputMenu = new OutputMenu(m_services, session, frame, *m_sprawdzanie->Menu_Plik_Drukuj,
                                  *m_sprawdzanie->Menu_Plik_Excel_Otworz);
    m_tabs = new CharacteristicTabs(m_services, session, frame, *m_amplitudePage, *m_frequencyPage);
    // "&Niepewność": the document's rule and the lab's.
    new TForm_Niepewnosc(m_services, session, frame.window(), *m_sprawdzanie->Menu_Niepewnosc);
    ChartPages *charts = m_outputMenu->charts();
    m_tabs->viewSwitch().buildChart = [charts](Characteristic characteristic, ChartKind kind) {
        return charts->build(characteristic, kind);
    };
    TForm_Oprogramie *splash = m_oprogramie.get();
    if (splash)
        QObject::connect(&session, &DocumentSession::splashCloseRequested, splash,
                         [splash] { splash->close(); });
    return m_sprawdzanie.get();
}

OutputMenu *Program::outputMenu()
{
    verificationWindow();
    return m_outputMenu;
}

CharacteristicTabs *Program::characteristicTabs()
{
    verificationWindow();
    return m_tabs;
}

void Program::showSimulatorDisplay()
{
    if (!m_mainWindow)
        return;
    // Made when the simulated instrument is first talked to: a program
    // driving a real calibrator never needs it.
    if (!m_simulatorDisplay)
        m_simulatorDisplay = std::make_unique<SimulatorDisplay>(m_simulator);
    m_simulator.setModel(m_services.model);
    m_simulatorDisplay->showBeside(m_mainWindow.get());
}

void Program::showRegister()
{
    if (!m_rejestr) {
        m_rejestr = std::make_unique<TForm_Rejestr>(m_services);
        m_rejestr->openDocument = [this](const QString &path) {
            m_mainWindow->openInVerificationWindow(path);
        };
    }
    m_services.prompts.exec(m_rejestr.get());
}
