#pragma once

#include "gui/measure/exactsettingdialog.h"

// "Metoda dokładnej nastawy" of the amplitude characteristic: the
// exact-setting run of a digital meter shows it for every point.
class TForm_PomiaryDN : public ExactSettingDialog
{
    Q_OBJECT

public:
    TForm_PomiaryDN(Services &services, MeasurementState &state, QWidget *parent = nullptr);

    QLineEdit *Edit_PomDN_WskazanieMiernika = nullptr;
    QLineEdit *Edit_PomDN_ZakresMiernika = nullptr;
    QLineEdit *Edit_PomDN_NastawaKalibratora = nullptr;
    QLineEdit *Edit_PomDN_ZakresKalibratora = nullptr;
    QLineEdit *Edit_PomDN_Czestotliwosc = nullptr;
    QPushButton *BitBtn_PomDN_Ok = nullptr;
    QPushButton *BitBtn_PomDN_Przerwij = nullptr;

    void FormActivate() { activateIfPending(); }
    void BitBtn_PomDN_PrzerwijClick() { abortClicked(); }
};
