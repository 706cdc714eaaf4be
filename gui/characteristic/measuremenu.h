#pragma once

#include "amplituderun.h"
#include "measurecommand.h"

#include <QObject>

class AmplitudePage;
class ExactReadingDialog;
class ExactSettingDialog;
class TForm_Pomiary;
class TForm_Sprawdzanie;
struct MeasurementState;
struct Services;

// The measurement dialogs as the runs use them: each point is shown through
// the program's prompts, and the value is read back once the dialog ended
// with OK.
class MeasurementDialogs : public PointDialogs
{
public:
    MeasurementDialogs(ExactReadingDialog &reading, ExactSettingDialog &setting)
        : m_reading(reading), m_setting(setting)
    {}

    std::optional<long double> exactReading(const ReadingRequest &point) override;
    std::optional<long double> exactSetting(const SettingRequest &point) override;

private:
    ExactReadingDialog &m_reading;
    ExactSettingDialog &m_setting;
};

// "Procedura pomiarowa" as the command asks it.
class ProcedureChooser : public RunChooser
{
public:
    explicit ProcedureChooser(TForm_Pomiary &dialog) : m_dialog(dialog) {}
    std::optional<RunChoice> choose() override;

private:
    TForm_Pomiary &m_dialog;
};

// The amplitude table as a run refreshes it.
class AmplitudeRunView : public RunView
{
public:
    AmplitudeRunView(TForm_Sprawdzanie &window, AmplitudePage &page)
        : m_window(window), m_page(page)
    {}

    void showPoint(int j) override;
    void centreVerificationWindow() override;

private:
    TForm_Sprawdzanie &m_window;
    AmplitudePage &m_page;
};

// "Po&miary" in the verification window: built once with the window, its
// amplitude page and the dialogs, and connected to the menu item. The
// dialogs open beside the verification window.
class MeasureMenu : public QObject
{
    Q_OBJECT

public:
    MeasureMenu(Services &services, MeasurementState &state, TForm_Sprawdzanie &window,
                AmplitudePage &page, ExactReadingDialog &exactReading,
                ExactSettingDialog &exactSetting, TForm_Pomiary &chooser);

    MeasureCommand &command() { return m_command; }
    AmplitudeRun &amplitudeRun() { return m_run; }

private:
    MeasurementDialogs m_dialogs;
    ProcedureChooser m_chooser;
    AmplitudeRunView m_view;
    AmplitudeRun m_run;
    MeasureCommand m_command;
};
