#pragma once

#include "core/document/documentsession.h"

#include <QDialog>

class CharacteristicFrame;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QStackedWidget;
class QStatusBar;
class TForm_Miernik;
class TForm_RS232;
struct Services;

// "Sprawdzanie miernika": the verification window. It holds at most one open
// document (see DocumentSession, which owns the document and the "Plik" menu
// operations); this class builds the menus and the frame of the window and
// mirrors the session's state.
//
// The characteristic pages are added by the amplitude and frequency parts
// through frame() into Notebook_Charakterystyka (page 0 "Tabela", 1
// "Wykres punktów", 2 "Wykres błędów", 3 the frequency table, 4..7 its
// charts, 8 and 9 the "Niepewność" pages of the two characteristics) and
// their tab bars into Panel_Zakladki. They follow the document through the
// session's signals (documentCreated, documentLoaded, aboutToCloseDocument,
// documentClosed, aboutToSave, viewRestoreRequested, and the display's
// changed), and the menus of the other parts are given the menu items whose
// work is theirs (Menu_Pomiary, Menu_Plik_Drukuj, Menu_Plik_Excel_Otworz,
// Menu_Niepewnosc).
class TForm_Sprawdzanie : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Sprawdzanie(Services &services, QWidget *parent = nullptr);
    ~TForm_Sprawdzanie() override;

    DocumentSession &session() { return m_session; }
    // Shorthands for the open record.
    TDaneSprawdzania &record() { return m_session.record(); }
    Services &services() { return m_services; }

    // The serial settings dialog opened by "&RS232".
    void setRS232Window(TForm_RS232 *window) { m_rs232 = window; }
    TForm_Miernik *meterDialog() const { return Form_Miernik; }

    // The document named on the command line; loaded at the next activation.
    void setOpenArgument(const QString &fileName) { m_session.setOpenArgument(fileName); }

    // What the characteristics built into the window use of it.
    CharacteristicFrame &frame() { return *m_frame; }

    QMenuBar *MainMenu = nullptr;
    QMenu *Menu_Plik = nullptr;
    QAction *Menu_Plik_Nowy = nullptr;
    QAction *Menu_Plik_Otworz = nullptr;
    QMenu *Menu_Plik_Excel = nullptr;
    QAction *Menu_Plik_Excel_Otworz = nullptr;
    QAction *Menu_Plik_Zapisz = nullptr;
    QAction *Menu_Plik_ZapiszJako = nullptr;
    QAction *Menu_Plik_Drukuj = nullptr;
    QAction *Menu_Plik_Zamknij = nullptr;
    QAction *Menu_Plik_OstatniePliki = nullptr;
    QAction *Recent2 = nullptr;
    QAction *Recent3 = nullptr;
    QAction *Recent4 = nullptr;
    QAction *Recent5 = nullptr;
    QAction *Menu_Plik_Wyjscie = nullptr;
    QAction *Menu_RS232 = nullptr;
    QAction *Menu_DaneMiernika = nullptr;
    QAction *Menu_Pomiary = nullptr;
    QAction *Menu_Kasuj = nullptr;
    // The decision rule of the document and of the lab's new documents.
    QAction *Menu_Niepewnosc = nullptr;

    // The whole area under the menu. Panel_Glowny, the table panel, holds
    // the notebook and is shown while a document is open.
    QWidget *Panel_Client = nullptr;
    QWidget *Panel_Glowny = nullptr;
    QStackedWidget *Notebook_Charakterystyka = nullptr;
    // Where the tab bars under the notebook go.
    QWidget *Panel_Zakladki = nullptr;

    QGroupBox *GroupBox_Miernik = nullptr;
    QLabel *Label_Metoda = nullptr;
    QLabel *Label_Nazwa = nullptr;
    QLabel *Label_Numer = nullptr;

    QGroupBox *GroupBox_Zakres = nullptr;
    QLabel *Label_Zakres = nullptr;
    QLabel *Label_CzestNastWska = nullptr;
    QLabel *Label_Kmm = nullptr;
    QLabel *Label_Kmz = nullptr;

    // Says what the last save did.
    QStatusBar *StatusBar = nullptr;

    TForm_Miernik *Form_Miernik = nullptr;

    // Handlers; file errors and link errors end in the general error box.
    void Menu_Plik_NowyClick();
    void Menu_Plik_OtworzClick();
    void Menu_Plik_ZapiszClick();
    void Menu_Plik_ZapiszJakoClick();
    void Menu_Plik_ZamknijClick();
    void RecentClick(int k);
    void Menu_Plik_WyjscieClick();
    void Menu_RS232Click();
    void Menu_DaneMiernikaClick();
    void Menu_KasujClick();
    // The window came up: reads the recent files and loads the command-line
    // document once.
    void FormActivate();

    // Mirrors the session's display: caption, menu items, panel, group
    // boxes, labels.
    void refreshFromSession();
    void refreshRecentMenu();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

public Q_SLOTS:
    void reject() override;

private:
    void buildMenus();
    void buildClient();
    void layoutClient();

    Services &m_services;
    DocumentSession m_session;
    TForm_RS232 *m_rs232 = nullptr;
    CharacteristicFrame *m_frame = nullptr;
};
