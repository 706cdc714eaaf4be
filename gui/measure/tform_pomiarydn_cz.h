#pragma once

#include "gui/measure/exactsettingdialog.h"

// "Metoda dokładnej nastawy" of the frequency characteristic; it works as
// TForm_PomiaryDN does.
class TForm_PomiaryDN_Cz : public ExactSettingDialog
{
    Q_OBJECT

public:
    TForm_PomiaryDN_Cz(Services &services, MeasurementState &state, QWidget *parent = nullptr);

    QLineEdit *Edit_PomDN_Cz_WskazanieMiernika = nullptr;
    QLineEdit *Edit_PomDN_Cz_ZakresMiernika = nullptr;
    QLineEdit *Edit_PomDN_Cz_NastawaKalibratora = nullptr;
    QLineEdit *Edit_PomDN_Cz_ZakresKalibratora = nullptr;
    QLineEdit *Edit_PomDN_Cz_Czestotliwosc = nullptr;
    QPushButton *BitBtn_PomDN_Cz_Ok = nullptr;
    QPushButton *BitBtn_PomDN_Cz_Przerwij = nullptr;

    void FormActivate() { activateIfPending(); }
    void BitBtn_PomDN_Cz_PrzerwijClick() { abortClicked(); }
};
