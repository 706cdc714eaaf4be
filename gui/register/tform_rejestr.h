#pragma once

#include "core/register/registerbrowser.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
struct Services;

// "Rejestr mierników": the meters the register knows, a meter's history
// with the summary of each verification, the meters due for verification,
// and the way back to a verification's document. A thin window over
// RegisterBrowser; a register that fails is reported in the general error
// box, and the window stays.
class TForm_Rejestr : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Rejestr(Services &services, QWidget *parent = nullptr);

    RegisterBrowser &browser() { return m_browser; }
    // The day the due list counts from; today when unset.
    std::function<QDate()> today;
    // Shows the document in the verification window.
    std::function<void(const QString &path)> openDocument;

    QLineEdit *Edit_Szukaj = nullptr;
    QPushButton *Button_Szukaj = nullptr;
    QTabWidget *PageControl_Rejestr = nullptr;
    QTableWidget *Table_Mierniki = nullptr;
    QTableWidget *Table_Historia = nullptr;
    QSpinBox *SpinEdit_Dni = nullptr;
    QTableWidget *Table_DoSprawdzenia = nullptr;
    QPushButton *Button_Otworz = nullptr;
    QPushButton *Button_Zamknij = nullptr;

    void Button_SzukajClick();
    void Table_MiernikiSelectionChanged();
    void SpinEdit_DniChange();
    void Button_OtworzClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fill(QTableWidget *table, const QList<RegisterBrowser::Row> &rows);
    // The verification of the current row of the page showing.
    const Verification *currentVerification() const;

    Services &m_services;
    RegisterBrowser m_browser;
    QList<RegisterBrowser::Row> m_meters;
    QList<RegisterBrowser::Row> m_history;
    QList<RegisterBrowser::Row> m_due;
};
