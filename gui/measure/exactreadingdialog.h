#pragma once

#include "core/measure/exactreadinglogic.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <exception>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class UpDownControl;
struct MeasurementState;
struct Services;

// What a run puts into an exact-reading dialog for one point.
struct ExactReadingPoint
{
    QString meterRange;      // "300mV": range of the meter, number and unit
    QString calibratorRange; // "1V": text of the calibrator range
    QString indication;      // "150,0000mV": nominal indication, number and unit
    QString settingUnit;     // "V": the unit of the calibrator range, the setting's
    QString frequency;       // "DC" or the frequency in hertz
    int DoklKal = 6;
    long double NastawaMin = 0;
    long double NastawaMax = 0;
    QString FunkcjaKal; // "F0", "F1".."F3" or "F4V" with the frequency
};

// The window both exact-reading dialogs share; TForm_PomiaryDO and
// TForm_PomiaryDO_Cz differ only in their names, their border, and the few
// points ExactReadingLogic::Variant decides.
//
// A run uses it so:
//   dialog->setup(point);
//   const int result = dialog->execModal(); // Prompts::exec, then rethrows a
//                                           // link failure
//   if (result == DialogResult::Ok) value = dialog->readBackSetting();
//
// The operator's actions are public so that a scripted run can drive the
// dialog as a person would. The first action of a point activates the dialog
// (sends the nominal setting) if showing it has not done so already.
class ExactReadingDialog : public QDialog
{
    Q_OBJECT

public:
    // Fills the dialog for one point; the next activation starts from it.
    // Throws EConvertError when the indication is not a number.
    void setup(const ExactReadingPoint &point);
    void setMeterRange(const QString &text);
    void setCalibratorRange(const QString &text);
    void setIndication(const QString &text);
    void setFrequency(const QString &text);
    ExactReadingSettings &settings() { return m_logic.settings(); }

    // The window the dialog opens beside and moves aside.
    void setVerificationWindow(QWidget *window) { m_verificationWindow = window; }

    // Shows the dialog through the program's prompts and returns its result
    // (DialogResult). Throws what a failed frame or reading threw.
    int execModal();

    // The operator's actions.
    void activateIfPending();
    void clickDigit(int tag);  // toggles digit button 1..8, as a click does
    void selectDigit(int tag); // puts digit button 1..8 down
    void clickUp();
    void clickDown();
    void pressOk();
    void pressPrzerwij();
    void pressCloseBox();

    // The setting display; the run reads its result from it.
    QString settingText() const;
    // Throws EConvertError.
    long double readBackSetting() const;
    // Throws and forgets the error that ended the dialog with
    // DialogResult::Failed; does nothing otherwise.
    void rethrowFailure();

    const ExactReadingLogic &logic() const { return m_logic; }
    bool isPlaced() const { return m_placed; }
    int upDownPosition() const;
    // Where digit button 1..8 stands, as a display position (11, 23, ... 107).
    int digitButtonPosition(int tag) const { return m_digitPositions[tag - 1]; }

    QLineEdit *meterRangeEdit = nullptr;
    QLineEdit *calibratorRangeEdit = nullptr;
    QLineEdit *indicationEdit = nullptr;
    QLineEdit *settingEdit = nullptr;
    // Beside the setting display: the unit its number is in, the calibrator
    // range's.
    QLabel *settingUnitLabel = nullptr;
    QLineEdit *frequencyEdit = nullptr;
    UpDownControl *upDown = nullptr;
    std::array<QToolButton *, ExactReadingLogic::DigitCount> digitButtons{};
    QPushButton *okButton = nullptr;
    QPushButton *abortButton = nullptr;

protected:
    ExactReadingDialog(Services &services, MeasurementState &state,
                       ExactReadingLogic::Variant variant, QWidget *parent);

    // The handlers the twins name after their controls.
    void digitClicked(int tag);
    void upDownClicked(int position);
    void okClicked();
    void abortClicked();

    void showEvent(QShowEvent *event) override;

public:
    void done(int result) override;
    // The close box and Esc end the run as "Przerwij pomiary" does.
    void reject() override;

private:
    void buildWindow(const QString &prefix);
    void activate();
    void refresh();
    void placeDigitButtons(const std::array<int, ExactReadingLogic::DigitCount> &positions);
    template <class Action> void guarded(Action &&action);

    Services &m_services;
    ExactReadingLogic m_logic;
    QGroupBox *m_settingGroup = nullptr;
    std::array<int, ExactReadingLogic::DigitCount> m_digitPositions{};
    int m_cellWidth = 12;
    int m_digitButtonTop = 0;
    QPointer<QWidget> m_verificationWindow;
    bool m_activationPending = true;
    bool m_placed = false;
    std::exception_ptr m_failure;
};
