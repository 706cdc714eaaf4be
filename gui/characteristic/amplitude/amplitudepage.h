#pragma once

#include "amplitudecells.h"
#include "rowscroller.h"

#include <QWidget>

#include <array>

class DocumentSession;
class GridCombo;
class GridEdit;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class TForm_Czestotliwosc;
class TForm_Sprawdzanie;
class TZakresAmpl;
struct Services;

// The "Tabela" page of the amplitude characteristic: the ranges of the
// meter on the left, the points of the current range on the right. Every
// accepted cell is written straight into the open record; what the record
// holds is only shown, and a cell the user did not change never writes
// back.
//
// Arrays of cells are indexed by row, 1..35 (index 0 is unused).
class AmplitudePage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Rows = 35;

    // Builds the page and puts it into the window's notebook as page 0.
    AmplitudePage(Services &services, TForm_Sprawdzanie &window);

    // Number of ranges (Zak not 0) and of defined points of range r.
    int ilosczakresow() const;
    int iloscpunktow(int r) const;
    int currentRange() const;

    // Empties and hides every row of both grids; with show, shows the first
    // range row, empty. Writes nothing.
    void StworzZakresy(bool show);
    // Fills the range rows from the record.
    void PokazZakresy();
    // Fills range row k from the record and shows it.
    void PokazZakres(int k);
    // Yellow for the cells of the current range, silver for the others.
    void ActivColorZakres();
    // Shows the points of the current range; unless keep, empties and
    // hides the point grid first.
    void Pokazpunkty(bool keep);
    // Point j of the current range: its typed value, or, when it has been
    // measured, its whole row in the result colours. Both enable
    // "Po&miary".
    void PokazPunkt(int j);
    void Kolpunkt(int j);
    // The "Zakres" group box for range k, from the texts of its row.
    void PokazZakresNaPanelu(int k);
    // Enables the "Po&miary" menu item.
    void enablePomiary();
    // Everything a shown document needs: rows, range 1 current, its points,
    // the colours, the group box and the scroll bars.
    void showDocument();
    // Commits the edit of the focused cell, as leaving it would.
    void commitEdit();

    // The window's size changed: the bars are laid out again.
    void afterResize();
    // The bars laid out for the current counts, each shown only when its
    // grid holds more rows than fit (after a switch to this view).
    void layoutScrollBars();
    // The header of the column typed into green, the other olive, and only
    // that column open to typing; from the document's Typ.
    void setHeaderColours();

    // Cells, by row.
    std::array<GridEdit *, Rows + 1> Zak{};
    std::array<GridCombo *, Rows + 1> Cz{};
    std::array<GridEdit *, Rows + 1> Kmm{};
    std::array<GridEdit *, Rows + 1> Kmz{};
    std::array<GridEdit *, Rows + 1> Wm{};
    std::array<GridEdit *, Rows + 1> Nk{};
    std::array<GridEdit *, Rows + 1> Bmr{};
    std::array<GridEdit *, Rows + 1> Bmd{};
    std::array<GridEdit *, Rows + 1> Bk{};
    std::array<GridEdit *, Rows + 1> jm{};
    std::array<QFrame *, Rows + 1> P{};
    std::array<QCheckBox *, Rows + 1> T{};

    QWidget *Panel_Naglowki = nullptr;
    QLabel *Label_Zak = nullptr;
    QLabel *Label_Cz = nullptr;
    QLabel *Label_Klasa = nullptr;
    QLabel *Label_Kl_Kmm = nullptr;
    QLabel *Label_Kl_Kmz = nullptr;
    QLabel *Label_Wm = nullptr;
    QLabel *Label_Nk = nullptr;
    QPushButton *BtnON = nullptr;
    QPushButton *BtnOFF = nullptr;
    QWidget *Panel_Zakresy = nullptr;
    QWidget *Panel_Punkty = nullptr;
    QScrollBar *ZakresySB = nullptr;
    QScrollBar *PunktySB = nullptr;

    // Handlers.
    void ZakEnter(GridEdit *cell);
    void ZakExit(GridEdit *cell);
    void ZakKeyDown(GridEdit *cell, int key);
    void CzChange(GridCombo *cell, int item);
    void CzKeyDown(GridCombo *cell, int key);
    void KmmExit(GridEdit *cell);
    // Leaving either class cell: the cell's own rule decides what is stored.
    void leaveClassCell(GridEdit *cell,
                        AmplitudeCells::Outcome (*leave)(TZakresAmpl, const QString &));
    void KmmKeyDown(GridEdit *cell, int key);
    void KmzExit(GridEdit *cell);
    void KmzKeyDown(GridEdit *cell, int key);
    void PunktExit(GridEdit *cell);
    void PunktKeyDown(GridEdit *cell, int key);
    void TClick(int j, bool checked);
    void BtnONClick();
    void BtnOFFClick();
    void ZakresySBScroll(int position);
    void PunktySBScroll(int position);

private:
    bool cyfrowy() const;
    TZakresAmpl range(int k) const;
    GridEdit *entryCell(int j) const;
    int groupBoxTop() const;
    // The cells may write into the record now.
    bool rangeWritable() const;
    bool pointWritable() const;
    // Runs a cell's exit; the box it shows and the focus it gives back run
    // no other cell's handlers.
    template <typename Handler> void leaving(Handler handler);
    void showBox(const QString &text, const QString &caption);
    void refocus(QWidget *cell);
    void markChanged();
    void showRangeRow(int k, bool visible);
    void emptyRangeRow(int k);
    void hidePointRow(int j);
    void setFrequencyItem(int k);
    void UkladZakresySB();
    void UkladPunktySB();
    void applyRangeBar();
    void applyPointBar();
    void PrzewinZakresy();
    void PrzewinPunkty();
    void makeCurrent(int k);
    void removeRange(int k);
    TForm_Czestotliwosc *frequencyDialog();
    void removePoint(int j);
    void buildHeaders();
    void buildRows();

    Services &m_services;
    TForm_Sprawdzanie &m_window;
    DocumentSession &m_session;
    QWidget *m_rangeClip = nullptr;
    QWidget *m_pointClip = nullptr;
    RowScroller m_rangeBar;
    RowScroller m_pointBar;
    TForm_Czestotliwosc *m_frequencyDialog = nullptr;
    // Set while the page itself moves the focus or shows a box from a
    // cell's exit: no cell handler runs then.
    bool m_quiet = false;
    // Set while an edit is committed for a write: refusals show no box.
    bool m_silent = false;
};
