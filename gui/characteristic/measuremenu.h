#pragma once

#include "core/amplitude/amplituderun.h"
#include "core/frequency/frequencyrun.h"
#include "core/measure/measurecommand.h"

#include <QObject>

#include <memory>

class CharacteristicPage;
class CharacteristicGrid;
class DocumentSession;
class ExactReadingDialog;
class ExactSettingDialog;
class QAction;
class QWidget;
class TForm_Pomiary;
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

// A characteristic grid as a run refreshes it: the row of the point under
// way highlighted, each point's row shown again once it is done.
class GridRunView : public RunView
{
public:
    GridRunView(QWidget &window, CharacteristicGrid &grid) : m_window(window), m_grid(grid) {}

    void showPoint(int j) override;
    void showProgress(int j) override;
    void centreVerificationWindow() override;

private:
    QWidget &m_window;
    CharacteristicGrid &m_grid;
};

// "Po&miary" in the verification window: built once with the window's
// document, the window, its menu item, its amplitude page and the dialogs;
// the frequency page and its dialogs are added to it. The dialogs open
// beside the verification window.
class MeasureMenu : public QObject
{
    Q_OBJECT

public:
    MeasureMenu(Services &services, MeasurementState &state, DocumentSession &session,
                QWidget &window, QAction &pomiary, CharacteristicPage &page,
                ExactReadingDialog &exactReading, ExactSettingDialog &exactSetting,
                TForm_Pomiary &chooser);
    ~MeasureMenu() override;

    // The frequency characteristic's page and its twins of the dialogs:
    // "Po&miary" then measures it while it is shown.
    void addFrequency(CharacteristicPage &page, ExactReadingDialog &exactReading,
                      ExactSettingDialog &exactSetting);

    MeasureCommand &command() { return m_command; }
    AmplitudeRun &amplitudeRun() { return m_run; }
    FrequencyRun *frequencyRun();

private:
    struct Frequency;

    void Menu_PomiaryClick();

    Services &m_services;
    MeasurementState &m_state;
    DocumentSession &m_session;
    QWidget &m_window;
    CharacteristicPage &m_page;
    MeasurementDialogs m_dialogs;
    ProcedureChooser m_chooser;
    GridRunView m_view;
    AmplitudeRun m_run;
    MeasureCommand m_command;
    std::unique_ptr<Frequency> m_frequency;
};
