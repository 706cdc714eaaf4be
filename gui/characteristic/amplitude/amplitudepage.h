#pragma once

#include "characteristicpage.h"

class TForm_Czestotliwosc;

// The "Tabela" page of the amplitude characteristic: the amplitude
// configuration of the characteristic grid, page 0 of the window's
// notebook. A range's own frequency ("f") is asked for with the frequency
// entry dialog.
class AmplitudePage : public CharacteristicPage
{
    Q_OBJECT

public:
    AmplitudePage(Services &services, TForm_Sprawdzanie &window);

    // The frequency entry dialog's text; empty when it was cancelled.
    QString askFrequency();

private:
    TForm_Czestotliwosc *m_frequencyDialog = nullptr;
};
