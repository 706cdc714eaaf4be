#pragma once

#include "gui/measure/exactreadingdialog.h"

// "Metoda dokładnego odczytu" of the amplitude characteristic: the exact-reading
// run of an analogue meter shows it for every point.
class TForm_PomiaryDO : public ExactReadingDialog
{
    Q_OBJECT

public:
    TForm_PomiaryDO(Services &services, MeasurementState &state, QWidget *parent = nullptr);

    QLineEdit *Edit_PomDO_WskazanieMiernika = nullptr;
    QLineEdit *Edit_PomDO_ZakresMiernika = nullptr;
    QLineEdit *Edit_PomDO_NastawaKalibratora = nullptr;
    QLineEdit *Edit_PomDO_ZakresKalibratora = nullptr;
    QLineEdit *Edit_PomDO_Czestotliwosc = nullptr;
    UpDownControl *UpDown_NastawaKalibratora = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *PrzerwBtn = nullptr;

    void FormActivate() { activateIfPending(); }
    void sbClick(int tag) { clickDigit(tag); }
    void UpDown_NastawaKalibratoraClick(int position) { upDownClicked(position); }
    void OkBtnClick() { pressOk(); }
    void PrzerwBtnClick() { pressPrzerwij(); }
};
