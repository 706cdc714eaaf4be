#include "gui/measure/tform_pomiarydo.h"

TForm_PomiaryDO::TForm_PomiaryDO(Services &services, MeasurementState &state, QWidget *parent)
    : ExactReadingDialog(services, state, ExactReadingLogic::Variant::Amplitude, parent)
{
    setObjectName(QStringLiteral("TForm_PomiaryDO"));
    Edit_PomDO_WskazanieMiernika = indicationEdit;
    Edit_PomDO_ZakresMiernika = meterRangeEdit;
    Edit_PomDO_NastawaKalibratora = settingEdit;
    Edit_PomDO_ZakresKalibratora = calibratorRangeEdit;
    Edit_PomDO_Czestotliwosc = frequencyEdit;
    UpDown_NastawaKalibratora = upDown;
    OkBtn = okButton;
    PrzerwBtn = abortButton;
}
