#include "gui/characteristic/measuremenu.h"

#include "gui/characteristic/characteristicpage.h"
#include "gui/characteristic/gridview.h"
#include "gui/measure/dialogresult.h"
#include "gui/measure/exactreadingdialog.h"
#include "gui/measure/exactsettingdialog.h"
#include "gui/measure/tform_pomiary.h"
#include "gui/measure/windowplacement.h"

#include <QAction>

std::optional<long double> MeasurementDialogs::exactReading(const ReadingRequest &point)
{
    ExactReadingPoint shown;
    shown.meterRange = point.meterRange;
    shown.calibratorRange = point.calibratorRange;
    shown.indication = point.indication;
    shown.settingUnit = point.settingUnit;
    shown.frequency = point.frequency;
    shown.DoklKal = point.DoklKal;
    shown.NastawaMin = point.NastawaMin;
    shown.NastawaMax = point.NastawaMax;
    shown.FunkcjaKal = point.FunkcjaKal;
    m_reading.setup(shown);
    if (m_reading.execModal() != DialogResult::Ok)
        return std::nullopt;
    return m_reading.readBackSetting();
}

std::optional<long double> MeasurementDialogs::exactSetting(const SettingRequest &point)
{
    m_setting.setup(ExactSettingPoint{point.meterRange, point.setting, point.calibratorRange,
                                      point.frequency, point.indicationUnit});
    if (m_setting.execModal() != DialogResult::Ok)
        return std::nullopt;
    return m_setting.readIndication();
}

std::optional<RunChoice> ProcedureChooser::choose()
{
    if (m_dialog.execModal() != DialogResult::Ok)
        return std::nullopt;
    RunChoice choice;
    choice.zakresy = m_dialog.zakresy() == TForm_Pomiary::WszystkieZakresy ? RangeChoice::All
                                                                           : RangeChoice::Current;
    choice.punkty = m_dialog.punkty() == TForm_Pomiary::Wszystkie ? PointChoice::AllDefined
                                                                  : PointChoice::Ticked;
    return choice;
}

void GridRunView::showPoint(int j)
{
    m_grid.refreshPoint(j);
}

void GridRunView::showProgress(int j)
{
    m_grid.setProgressRow(j);
}

void GridRunView::centreVerificationWindow()
{
    centreOnDesktop(&m_window);
}

// The frequency page's runs, with their own dialogs and the view of their
// grid.
struct MeasureMenu::Frequency
{
    Frequency(Services &services, MeasurementState &state, DocumentSession &session,
              QWidget &window, CharacteristicPage &page, ExactReadingDialog &exactReading,
              ExactSettingDialog &exactSetting)
        : page(page), dialogs(exactReading, exactSetting), view(window, page.grid()),
          run(services, state, session, dialogs, view)
    {}

    CharacteristicPage &page;
    MeasurementDialogs dialogs;
    GridRunView view;
    FrequencyRun run;
};

MeasureMenu::MeasureMenu(Services &services, MeasurementState &state, DocumentSession &session,
                         QWidget &window, QAction &pomiary, CharacteristicPage &page,
                         ExactReadingDialog &exactReading, ExactSettingDialog &exactSetting,
                         TForm_Pomiary &chooser)
    : QObject(&window), m_services(services), m_state(state), m_session(session), m_window(window),
      m_page(page), m_dialogs(exactReading, exactSetting), m_chooser(chooser),
      m_view(window, page.grid()), m_run(services, state, session, m_dialogs, m_view),
      m_command(services, state, session, m_run, m_chooser)
{
    exactReading.setVerificationWindow(&window);
    exactSetting.setVerificationWindow(&window);
    connect(&pomiary, &QAction::triggered, this, &MeasureMenu::Menu_PomiaryClick);
}

MeasureMenu::~MeasureMenu() = default;

void MeasureMenu::addFrequency(CharacteristicPage &page, ExactReadingDialog &exactReading,
                               ExactSettingDialog &exactSetting)
{
    exactReading.setVerificationWindow(&m_window);
    exactSetting.setVerificationWindow(&m_window);
    m_frequency = std::make_unique<Frequency>(m_services, m_state, m_session, m_window, page,
                                              exactReading, exactSetting);
    m_command.setFrequencyRuns(&m_frequency->run);
}

FrequencyRun *MeasureMenu::frequencyRun()
{
    return m_frequency ? &m_frequency->run : nullptr;
}

void MeasureMenu::Menu_PomiaryClick()
{
    // A value still in its cell takes part: the cell of the page shown is
    // left first, and a value it refuses stops the command before anything
    // is sent.
    CharacteristicPage &shown =
        m_frequency && m_frequency->page.isShown() ? m_frequency->page : m_page;
    if (shown.view().finishEdit())
        m_command.Menu_PomiaryClick();
}
