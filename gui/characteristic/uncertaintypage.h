#pragma once

#include "core/characteristic/uncertaintycontent.h"

#include <QWidget>

class CharacteristicFrame;
class CharacteristicPage;
class DocumentSession;
class QLabel;
class QLineEdit;
class QTableWidget;
struct Services;

// "Niepewność": the uncertainties of the range a characteristic shows, put
// into the window's notebook beside the characteristic's table and charts
// (page 8 for the amplitude one, 9 for the frequency one). The meter's
// resolution on the range is typed here; the table below lists every
// measured point's budget and decision, and the foot the range's summary.
// What it shows comes from UncertaintyContent and follows the document, its
// rule and the grid's results.
class UncertaintyPage : public QWidget
{
    Q_OBJECT

public:
    UncertaintyPage(Services &services, DocumentSession &session, CharacteristicFrame &frame,
                    CharacteristicPage &page);

    QLabel *Label_Zakres = nullptr;
    QLabel *Label_Rozdzielczosc = nullptr;
    QLineEdit *Edit_Rozdzielczosc = nullptr;
    QLabel *Label_JmRozdzielczosci = nullptr;
    QLabel *Label_BezRozdzielczosci = nullptr;
    QTableWidget *Table_Niepewnosc = nullptr;
    QLabel *Label_Regula = nullptr;
    QLabel *Label_Oceny = nullptr;
    QLabel *Label_NajnizszyTUR = nullptr;

    const UncertaintyContent &content() const { return m_content; }
    // Shows the range of the characteristic as the document has it now.
    void refresh();
    // The resolution typed is taken: Enter, leaving the edit, or a save.
    void Edit_RozdzielczoscExit();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The range the page shows: the characteristic's current one.
    int shownRange() const;

    Services &m_services;
    DocumentSession &m_session;
    CharacteristicPage &m_page;
    UncertaintyContent m_content;
};
