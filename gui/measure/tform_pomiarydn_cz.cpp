#include "gui/measure/tform_pomiarydn_cz.h"

TForm_PomiaryDN_Cz::TForm_PomiaryDN_Cz(Services &services, MeasurementState &state, QWidget *parent)
    : ExactSettingDialog(services, state, QStringLiteral("PomDN_Cz"), parent)
{
    setObjectName(QStringLiteral("TForm_PomiaryDN_Cz"));
    Edit_PomDN_Cz_WskazanieMiernika = indicationEdit;
    Edit_PomDN_Cz_ZakresMiernika = meterRangeEdit;
    Edit_PomDN_Cz_NastawaKalibratora = settingEdit;
    Edit_PomDN_Cz_ZakresKalibratora = calibratorRangeEdit;
    Edit_PomDN_Cz_Czestotliwosc = frequencyEdit;
    BitBtn_PomDN_Cz_Ok = okButton;
    BitBtn_PomDN_Cz_Przerwij = abortButton;
}
