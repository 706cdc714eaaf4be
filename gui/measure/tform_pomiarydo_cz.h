#pragma once

#include "gui/measure/exactreadingdialog.h"

// "Metoda dokładnego odczytu" of the frequency characteristic. It works as
// TForm_PomiaryDO does, with its own point settings; the last function sent is
// shared by the two.
class TForm_PomiaryDO_Cz : public ExactReadingDialog
{
    Q_OBJECT

public:
    TForm_PomiaryDO_Cz(Services &services, MeasurementState &state, QWidget *parent = nullptr);

    QLineEdit *Edit_PomDO_Cz_WskazanieMiernika = nullptr;
    QLineEdit *Edit_PomDO_Cz_ZakresMiernika = nullptr;
    QLineEdit *Edit_PomDO_Cz_NastawaKalibratora = nullptr;
    QLineEdit *Edit_PomDO_Cz_ZakresKalibratora = nullptr;
    QLineEdit *Edit_PomDO_Cz_Czestotliwosc = nullptr;
    UpDownControl *UpDown_PomDO_Cz_NastawaKalibratora = nullptr;
    QPushButton *BitBtn_PomDO_Cz_Ok = nullptr;
    QPushButton *BitBtn_PomDO_Cz_Przerwij = nullptr;

    void FormActivate() { activateIfPending(); }
    void SpeedButton_PomDO_CzClick(int tag) { clickDigit(tag); }
    void UpDown_PomDO_Cz_NastawaKalibratoraClick(int position) { upDownClicked(position); }
    void BitBtn_PomDO_Cz_PrzerwijClick() { pressPrzerwij(); }
};
