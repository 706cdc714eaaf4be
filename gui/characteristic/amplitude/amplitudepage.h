#pragma once

#include "amplitudegrid.h"
#include "characteristicgrid.h"

#include <QWidget>

class CharacteristicGridView;
class DocumentSession;
class TForm_Czestotliwosc;
class TForm_Sprawdzanie;
struct Services;

// The "Tabela" page of the amplitude characteristic: the amplitude
// configuration of the characteristic grid, put into the window's notebook
// as page 0. It follows the document through the session and fills the
// "Zakres" group box from the current range.
class AmplitudePage : public QWidget
{
    Q_OBJECT

public:
    AmplitudePage(Services &services, TForm_Sprawdzanie &window);
    ~AmplitudePage() override;

    CharacteristicGrid &grid() { return m_grid; }
    CharacteristicGridView &view() { return *m_view; }
    int currentRange() const { return m_grid.currentRange(); }

    // The "Zakres" group box for range k, from what its row shows.
    void PokazZakresNaPanelu(int k);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TForm_Czestotliwosc *frequencyDialog();
    void layoutForWindow();

    Services &m_services;
    TForm_Sprawdzanie &m_window;
    DocumentSession &m_session;
    AmplitudeGridRules m_rules;
    CharacteristicGrid m_grid;
    CharacteristicGridView *m_view = nullptr;
    TForm_Czestotliwosc *m_frequencyDialog = nullptr;
};
