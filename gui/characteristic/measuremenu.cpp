#include "measuremenu.h"

#include "characteristicpage.h"
#include "dialogresult.h"
#include "exactreadingdialog.h"
#include "exactsettingdialog.h"
#include "gridview.h"
#include "tform_pomiary.h"
#include "tform_sprawdzanie.h"
#include "windowplacement.h"

#include <QAction>

std::optional<long double> MeasurementDialogs::exactReading(const ReadingRequest &point)
{
    ExactReadingPoint shown;
    shown.meterRange = point.meterRange;
    shown.calibratorRange = point.calibratorRange;
    shown.indication = point.indication;
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
    m_setting.setup(
        ExactSettingPoint{point.meterRange, point.setting, point.calibratorRange, point.frequency});
    if (m_setting.execModal() != DialogResult::Ok)
        return std::nullopt;
    return m_setting.readIndication();
}

std::optional<RunChoice> ProcedureChooser::choose()
{
    if (m_dialog.execModal() != DialogResult::Ok)
        return std::nullopt;
    return RunChoice{m_dialog.zakresy(), m_dialog.punkty()};
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

MeasureMenu::MeasureMenu(Services &services, MeasurementState &state, TForm_Sprawdzanie &window,
                         CharacteristicPage &page, ExactReadingDialog &exactReading,
                         ExactSettingDialog &exactSetting, TForm_Pomiary &chooser)
    : QObject(&window), m_dialogs(exactReading, exactSetting), m_chooser(chooser),
      m_view(window, page.grid()), m_run(services, state, window.session(), m_dialogs, m_view),
      m_command(services, state, window.session(), m_run, m_chooser)
{
    exactReading.setVerificationWindow(&window);
    exactSetting.setVerificationWindow(&window);
    // A value still in its cell takes part: the cell is left first, and a
    // value it refuses stops the command before anything is sent.
    connect(window.Menu_Pomiary, &QAction::triggered, this, [this, &page] {
        if (page.view().finishEdit())
            m_command.Menu_PomiaryClick();
    });
}
