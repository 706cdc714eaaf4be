#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;
struct Services;

// "Procedura pomiarowa": which ranges and which points a measurement covers.
// The choices stay as the operator left them for the next time.
//
// A caller uses it so:
//   if (chooser->execModal() == DialogResult::Ok)
//       ... chooser->zakresy(), chooser->punkty() ...
class TForm_Pomiary : public QDialog
{
    Q_OBJECT

public:
    enum Zakresy { BiezacyZakres = 0, WszystkieZakresy = 1 };
    enum Punkty { Zaznaczone = 0, Wszystkie = 1 };

    explicit TForm_Pomiary(Services &services, QWidget *parent = nullptr);

    // The item indexes of the two radio groups.
    int zakresy() const;
    int punkty() const;
    void setZakresy(int itemIndex);
    void setPunkty(int itemIndex);

    // DialogResult::Ok for "&OK"; DialogResult::Closed for "&Anuluj" and the
    // close box.
    int execModal();

    void PPOKClick();
    void PPAnClick();

    QGroupBox *RadioGroup_Zakresy = nullptr;
    QGroupBox *RadioGroup_Punkty = nullptr;
    QPushButton *PPOK = nullptr;
    QPushButton *PPAn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    Services &m_services;
    QButtonGroup *m_zakresy = nullptr;
    QButtonGroup *m_punkty = nullptr;
};
