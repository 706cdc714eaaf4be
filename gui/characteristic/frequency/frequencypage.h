#pragma once

#include "gui/characteristic/characteristicpage.h"

// The table page of the frequency characteristic ("Tabela - analiza
// czestotliwosciowaDN"): the frequency configuration of the characteristic
// grid, page 3 of the window's notebook, for both methods. A point's own
// frequency ("f") is asked for with the frequency entry dialog.
class FrequencyPage : public CharacteristicPage
{
    Q_OBJECT

public:
    FrequencyPage(Services &services, DocumentSession &session, CharacteristicFrame &frame,
                  TForm_Czestotliwosc &frequencyDialog);
};
