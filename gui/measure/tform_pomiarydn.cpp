#include "gui/measure/tform_pomiarydn.h"

TForm_PomiaryDN::TForm_PomiaryDN(Services &services, MeasurementState &state, QWidget *parent)
    : ExactSettingDialog(services, state, QStringLiteral("PomDN"), parent)
{
    setObjectName(QStringLiteral("TForm_PomiaryDN"));
    Edit_PomDN_WskazanieMiernika = indicationEdit;
    Edit_PomDN_ZakresMiernika = meterRangeEdit;
    Edit_PomDN_NastawaKalibratora = settingEdit;
    Edit_PomDN_ZakresKalibratora = calibratorRangeEdit;
    Edit_PomDN_Czestotliwosc = frequencyEdit;
    BitBtn_PomDN_Ok = okButton;
    BitBtn_PomDN_Przerwij = abortButton;
    setFixedSize(sizeHint());
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
}
