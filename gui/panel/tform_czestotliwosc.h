#pragma once

#include <QDialog>

class Prompts;
class QLabel;
class QLineEdit;
class QPushButton;

// "Częstotliwość": asks for one frequency of 45 to 2000 Hz. OK takes only a
// valid one; Esc and the close box end it without any. Run it through
// Prompts::exec; after OK frequencyText() holds the frequency as the user
// sees it ("50,00") and frequency() its value in hertz.
class TForm_Czestotliwosc : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Czestotliwosc(Prompts &prompts, QWidget *parent = nullptr);

    // Opens the dialog and returns the accepted frequency text; empty when
    // the user ended it without one.
    QString ask();

    bool isAccepted() const { return m_accepted; }
    QString frequencyText() const;
    double frequency() const { return m_frequency; }

    QLabel *Label_CzestotliwoscF = nullptr;
    QLineEdit *Edit_Czestotliwosc = nullptr;
    QLabel *Label_CzestotliwoscHz = nullptr;
    QPushButton *BitBtn_Czestotliwosc_OK = nullptr;

    void BitBtn_Czestotliwosc_OKClick();

protected:
    void showEvent(QShowEvent *event) override;

public Q_SLOTS:
    void reject() override;

private:
    Prompts &m_prompts;
    bool m_accepted = false;
    double m_frequency = 0.0;
};
