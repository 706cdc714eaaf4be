#pragma once

#include "characteristicgrid.h"

#include <QWidget>

#include <memory>

class CharacteristicGridView;
class DocumentSession;
class TForm_Sprawdzanie;
struct Services;

// The table page of one characteristic: its rules over the one grid, shown
// by the grid's view, put into the window's notebook at its index. The page
// follows the document through the session (new, loaded, closing, saving),
// lays the grid out as the window is resized, and fills the "Zakres" group
// box from the range the grid describes. The amplitude page (index 0) and
// the frequency page (index 3, suffix "_Cz") differ only in their rules.
class CharacteristicPage : public QWidget
{
    Q_OBJECT

public:
    CharacteristicPage(Services &services, TForm_Sprawdzanie &window,
                       std::unique_ptr<GridRules> rules, int pageIndex, const QString &suffix);
    ~CharacteristicPage() override;

    CharacteristicGrid &grid() { return m_grid; }
    CharacteristicGridView &view() { return *m_view; }
    int currentRange() const { return m_grid.currentRange(); }

    // The "Zakres" group box for range k, from what its row shows.
    void PokazZakresNaPanelu(int k);

protected:
    void resizeEvent(QResizeEvent *event) override;

    Services &m_services;
    TForm_Sprawdzanie &m_window;
    DocumentSession &m_session;

private:
    void followWindowHeight();

    std::unique_ptr<GridRules> m_rules;
    CharacteristicGrid m_grid;
    CharacteristicGridView *m_view = nullptr;
};
