#include "gui/measure/tform_pomiarydo_cz.h"

TForm_PomiaryDO_Cz::TForm_PomiaryDO_Cz(Services &services, MeasurementState &state, QWidget *parent)
    : ExactReadingDialog(services, state, ExactReadingLogic::Variant::Frequency, parent)
{
    setObjectName(QStringLiteral("TForm_PomiaryDO_Cz"));
    Edit_PomDO_Cz_WskazanieMiernika = indicationEdit;
    Edit_PomDO_Cz_ZakresMiernika = meterRangeEdit;
    Edit_PomDO_Cz_NastawaKalibratora = settingEdit;
    Edit_PomDO_Cz_ZakresKalibratora = calibratorRangeEdit;
    Edit_PomDO_Cz_Czestotliwosc = frequencyEdit;
    UpDown_PomDO_Cz_NastawaKalibratora = upDown;
    BitBtn_PomDO_Cz_Ok = okButton;
    BitBtn_PomDO_Cz_Przerwij = abortButton;
}
