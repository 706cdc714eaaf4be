#pragma once

#include "gui/characteristic/characteristicpage.h"

// The "Tabela" page of the amplitude characteristic: the amplitude
// configuration of the characteristic grid, page 0 of the window's
// notebook.
class AmplitudePage : public CharacteristicPage
{
    Q_OBJECT

public:
    AmplitudePage(Services &services, DocumentSession &session, CharacteristicFrame &frame,
                  TForm_Czestotliwosc &frequencyDialog);
};
