#pragma once

#include "core/characteristic/characteristicgrid.h"
#include "core/document/characteristic.h"

#include <QWidget>

#include <memory>

class CharacteristicFrame;
class CharacteristicGridView;
class DocumentSession;
class TForm_Czestotliwosc;
class UncertaintyPage;
struct Services;

// The table page of one characteristic: its rules over the one grid, shown
// by the grid's view, put into the window's notebook at its index. The page
// follows the document through the session (new, loaded, closing, saving),
// lays the grid out as the window is resized, and fills the "Zakres" group
// box from the range the grid describes while its characteristic is the one
// shown. The amplitude page (index 0) and the frequency page (index 3,
// suffix "_Cz") differ only in their rules. Each brings its "Niepewność"
// page (index 8 or 9). Both ask for a frequency of the
// user's own with the program's one frequency entry dialog.
class CharacteristicPage : public QWidget
{
    Q_OBJECT

public:
    CharacteristicPage(Services &services, DocumentSession &session, CharacteristicFrame &frame,
                       TForm_Czestotliwosc &frequencyDialog, std::unique_ptr<GridRules> rules,
                       Characteristic characteristic, const QString &suffix);
    ~CharacteristicPage() override;

    CharacteristicGrid &grid() { return m_grid; }
    CharacteristicGridView &view() { return *m_view; }
    UncertaintyPage &uncertainty() { return *m_uncertainty; }
    int currentRange() const { return m_grid.currentRange(); }
    Characteristic characteristic() const { return m_characteristic; }
    // Whether the window shows this page's characteristic.
    bool isShown() const;

    // The "Zakres" group box for range k, from what its row shows; nothing
    // while the other characteristic is shown.
    void PokazZakresNaPanelu(int k);
    // The characteristic has just been brought into view: the bars are laid
    // out for its counts and the "Zakres" box, when up, describes its
    // current range.
    void broughtIntoView();

    // The frequency entry dialog's text; empty when it was ended without
    // one.
    QString askFrequency();

protected:
    void resizeEvent(QResizeEvent *event) override;

    Services &m_services;
    CharacteristicFrame &m_frame;
    DocumentSession &m_session;

private:
    void followWindowHeight();

    TForm_Czestotliwosc &m_frequencyDialog;
    Characteristic m_characteristic;
    std::unique_ptr<GridRules> m_rules;
    CharacteristicGrid m_grid;
    CharacteristicGridView *m_view = nullptr;
    UncertaintyPage *m_uncertainty = nullptr;
};
