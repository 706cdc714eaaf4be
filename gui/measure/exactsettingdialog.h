#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;
struct MeasurementState;
struct Services;

// What a run puts into an exact-setting dialog for one point.
struct ExactSettingPoint
{
    QString meterRange;      // "20V": range of the meter, number and unit
    QString setting;         // "5,00000V": the calibrator's setting and its unit
    QString calibratorRange; // "10V": text of the calibrator range
    QString frequency;       // "DC" or the frequency in hertz
    QString indicationUnit;  // "mV": the unit the indication is typed in
};

// The window both exact-setting dialogs share ("Metoda dokładnej nastawy"):
// the run has set the calibrator itself, and the operator types what the
// meter shows. Nothing is sent from here.
//
// A run uses it so:
//   dialog->setup(point);
//   const int result = dialog->execModal(); // Prompts::exec
//   if (result == DialogResult::Ok) value = dialog->readIndication();
//
// OK closes only with an indication that reads as a number, so the read
// after OK always succeeds. "Przerwij pomiary" gives DialogResult::Przerwij
// and lets the next run warn again before high voltage; the close box gives
// DialogResult::Closed and leaves that warning as it was.
class ExactSettingDialog : public QDialog
{
    Q_OBJECT

public:
    static const QString invalidIndicationText;

    void setup(const ExactSettingPoint &point);
    void setMeterRange(const QString &text);
    void setSetting(const QString &text);
    void setCalibratorRange(const QString &text);
    void setFrequency(const QString &text);

    void setVerificationWindow(QWidget *window) { m_verificationWindow = window; }

    int execModal();

    // The operator's actions. The first one of a point activates the dialog
    // (empties the indication) if showing it has not done so already.
    void activateIfPending();
    void typeIndication(const QString &text); // typed at the cursor
    void clearIndication();
    void pressOk();
    void pressPrzerwij();
    void pressCloseBox();

    QString indicationText() const;
    // Throws EConvertError.
    long double readIndication() const;

    // Whether the dialog may close with this result; an OK with an indication
    // that is not a number is refused with a message.
    bool FormCloseQuery(int result);
    bool isPlaced() const { return m_placed; }

    QLineEdit *indicationEdit = nullptr;
    // Beside the indication: the unit the typed number is taken in, the
    // meter range's.
    QLabel *indicationUnitLabel = nullptr;
    QLineEdit *meterRangeEdit = nullptr;
    QLineEdit *settingEdit = nullptr;
    QLineEdit *calibratorRangeEdit = nullptr;
    QLineEdit *frequencyEdit = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *abortButton = nullptr;

    void done(int result) override;

protected:
    ExactSettingDialog(Services &services, MeasurementState &state, const QString &prefix,
                       QWidget *parent);

    void abortClicked();
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow(const QString &prefix);

    Services &m_services;
    MeasurementState &m_state;
    QPointer<QWidget> m_verificationWindow;
    bool m_activationPending = true;
    bool m_placed = false;
};
