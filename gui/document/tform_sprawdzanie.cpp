#include "gui/document/tform_sprawdzanie.h"

#include "core/base/errorbox.h"
#include "core/base/prompts.h"
#include "core/calibrator/calibratorreset.h"
#include "core/calibrator/services.h"
#include "gui/document/characteristicframe.h"
#include "gui/document/tform_miernik.h"
#include "gui/link/tform_rs232.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Three pages of the amplitude characteristic, five of the frequency one,
// and the uncertainties of each.
constexpr int NotebookPages = 10;

QLabel *makeLabel(QWidget *parent, const char *name, int x, int y, int width)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(x, y, width, 16);
    return label;
}

} // namespace

TForm_Sprawdzanie::TForm_Sprawdzanie(Services &services, QWidget *parent)
    : QDialog(parent), m_services(services), m_session(services.prompts)
{
    setObjectName(QStringLiteral("Form_Sprawdzanie"));
    setWindowTitle(m_session.display().caption());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    resize(639, 530);

    Form_Miernik = new TForm_Miernik(services, this);
    m_session.setMeterDialog([this](bool newDocument) {
        return Form_Miernik->showFor(m_session.record(), newDocument);
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenus();
    layout->setMenuBar(MainMenu);
    buildClient();
    layout->addWidget(Panel_Client, 1);
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(StatusBar);

    connect(&m_session.display(), &DocumentDisplay::changed, this,
            &TForm_Sprawdzanie::refreshFromSession);
    connect(&m_session, &DocumentSession::savedChanged, this, [this](bool saved) {
        setWindowModified(m_session.hasDocument() && !saved);
        // A change since the save makes its message stale.
        if (!saved)
            StatusBar->clearMessage();
    });
    connect(&m_session, &DocumentSession::documentWritten, this, [this](const QString &fileName) {
        StatusBar->showMessage(QStringLiteral("Zapisano: ") + QDir::toNativeSeparators(fileName));
    });
    connect(&m_session, &DocumentSession::documentClosed, StatusBar, &QStatusBar::clearMessage);
    connect(&m_session, &DocumentSession::recentFilesChanged, this,
            &TForm_Sprawdzanie::refreshRecentMenu);
    refreshFromSession();
    refreshRecentMenu();
}

TForm_Sprawdzanie::~TForm_Sprawdzanie() = default;

void TForm_Sprawdzanie::buildMenus()
{
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    // The window's own menu bar, also where the desktop has a global one.
    MainMenu->setNativeMenuBar(false);

    auto action = [](QMenu *menu, const char *name, const QString &text,
                     const QKeySequence &shortcut = {}) {
        QAction *item = menu->addAction(text);
        item->setObjectName(QLatin1String(name));
        item->setShortcut(shortcut);
        return item;
    };

    Menu_Plik = MainMenu->addMenu(QStringLiteral("&Plik"));
    Menu_Plik->setObjectName(QStringLiteral("Menu_Plik"));
    Menu_Plik_Nowy = action(Menu_Plik, "Menu_Plik_Nowy", QStringLiteral("&Nowy"),
                            QKeySequence(Qt::CTRL | Qt::Key_N));
    Menu_Plik_Otworz = action(Menu_Plik, "Menu_Plik_Otworz", QStringLiteral("&Otwórz"),
                              QKeySequence(Qt::CTRL | Qt::Key_O));
    Menu_Plik_Excel = Menu_Plik->addMenu(QStringLiteral("Excel"));
    Menu_Plik_Excel->setObjectName(QStringLiteral("Menu_Plik_Excel"));
    Menu_Plik_Excel_Otworz =
        action(Menu_Plik_Excel, "Menu_Plik_Excel_Otworz", QStringLiteral("Wyślij"));
    Menu_Plik_Zapisz = action(Menu_Plik, "Menu_Plik_Zapisz", QStringLiteral("&Zapisz "),
                              QKeySequence(Qt::CTRL | Qt::Key_S));
    Menu_Plik_ZapiszJako =
        action(Menu_Plik, "Menu_Plik_ZapiszJako", QStringLiteral("Zapisz &jako..."));
    Menu_Plik_Drukuj = action(Menu_Plik, "Menu_Plik_Drukuj", QStringLiteral("&Drukuj"),
                              QKeySequence(Qt::CTRL | Qt::Key_D));
    Menu_Plik_Zamknij = action(Menu_Plik, "Menu_Plik_Zamknij", QStringLiteral("Zamknij"),
                               QKeySequence(Qt::CTRL | Qt::Key_Z));
    Menu_Plik->addSeparator();
    Menu_Plik_OstatniePliki =
        action(Menu_Plik, "Menu_Plik_OstatniePliki", QStringLiteral("Ostatnio używane pliki"),
               QKeySequence(Qt::CTRL | Qt::Key_F1));
    Recent2 = action(Menu_Plik, "Recent2", {}, QKeySequence(Qt::CTRL | Qt::Key_F2));
    Recent3 = action(Menu_Plik, "Recent3", {}, QKeySequence(Qt::CTRL | Qt::Key_F3));
    Recent4 = action(Menu_Plik, "Recent4", {}, QKeySequence(Qt::CTRL | Qt::Key_F4));
    Recent5 = action(Menu_Plik, "Recent5", {}, QKeySequence(Qt::CTRL | Qt::Key_F5));
    Menu_Plik->addSeparator();
    Menu_Plik_Wyjscie = action(Menu_Plik, "Menu_Plik_Wyjscie", QStringLiteral("&Wyjście"));

    auto topAction = [this](const char *name, const QString &text) {
        QAction *item = MainMenu->addAction(text);
        item->setObjectName(QLatin1String(name));
        return item;
    };
    Menu_RS232 = topAction("Menu_RS232", QStringLiteral("&RS232"));
    Menu_DaneMiernika = topAction("Menu_DaneMiernika", QStringLiteral("&Dane miernika"));
    Menu_Pomiary = topAction("Menu_Pomiary", QStringLiteral("Po&miary"));
    Menu_Kasuj = topAction("Menu_Kasuj", QStringLiteral("&Kasuj"));
    Menu_Niepewnosc = topAction("Menu_Niepewnosc", QStringLiteral("&Niepewność"));

    // Menu items are the window's own: their shortcuts work only here.
    for (QAction *item : findChildren<QAction *>())
        item->setShortcutContext(Qt::WindowShortcut);

    connect(Menu_Plik_Nowy, &QAction::triggered, this, &TForm_Sprawdzanie::Menu_Plik_NowyClick);
    connect(Menu_Plik_Otworz, &QAction::triggered, this, &TForm_Sprawdzanie::Menu_Plik_OtworzClick);
    connect(Menu_Plik_Zapisz, &QAction::triggered, this, &TForm_Sprawdzanie::Menu_Plik_ZapiszClick);
    connect(Menu_Plik_ZapiszJako, &QAction::triggered, this,
            &TForm_Sprawdzanie::Menu_Plik_ZapiszJakoClick);
    connect(Menu_Plik_Zamknij, &QAction::triggered, this,
            &TForm_Sprawdzanie::Menu_Plik_ZamknijClick);
    const std::array<QAction *, 5> recent = {Menu_Plik_OstatniePliki, Recent2, Recent3, Recent4,
                                             Recent5};
    for (int k = 1; k <= 5; ++k)
        connect(recent[k - 1], &QAction::triggered, this, [this, k] { RecentClick(k); });
    connect(Menu_Plik_Wyjscie, &QAction::triggered, this,
            &TForm_Sprawdzanie::Menu_Plik_WyjscieClick);
    connect(Menu_RS232, &QAction::triggered, this, &TForm_Sprawdzanie::Menu_RS232Click);
    connect(Menu_DaneMiernika, &QAction::triggered, this,
            &TForm_Sprawdzanie::Menu_DaneMiernikaClick);
    connect(Menu_Kasuj, &QAction::triggered, this, &TForm_Sprawdzanie::Menu_KasujClick);
}

void TForm_Sprawdzanie::buildClient()
{
    Panel_Client = new QWidget(this);
    Panel_Client->setObjectName(QStringLiteral("Panel_Client"));

    Panel_Glowny = new QWidget(Panel_Client);
    Panel_Glowny->setObjectName(QStringLiteral("Panel_Glowny"));
    Notebook_Charakterystyka = new QStackedWidget(Panel_Glowny);
    Notebook_Charakterystyka->setObjectName(QStringLiteral("Notebook_Charakterystyka"));
    for (int i = 0; i < NotebookPages; ++i)
        Notebook_Charakterystyka->addWidget(new QWidget(Notebook_Charakterystyka));
    Panel_Zakladki = new QWidget(Panel_Glowny);
    Panel_Zakladki->setObjectName(QStringLiteral("Panel_Zakladki"));

    GroupBox_Miernik = new QGroupBox(QStringLiteral("Miernik"), Panel_Client);
    GroupBox_Miernik->setObjectName(QStringLiteral("GroupBox_Miernik"));
    Label_Metoda = makeLabel(GroupBox_Miernik, "Label_Metoda", 8, 18, 180);
    Label_Nazwa = makeLabel(GroupBox_Miernik, "Label_Nazwa", 8, 36, 180);
    Label_Numer = makeLabel(GroupBox_Miernik, "Label_Numer", 8, 54, 180);

    GroupBox_Zakres = new QGroupBox(QStringLiteral("Zakres"), Panel_Client);
    GroupBox_Zakres->setObjectName(QStringLiteral("GroupBox_Zakres"));
    Label_Zakres = makeLabel(GroupBox_Zakres, "Label_Zakres", 8, 18, 180);
    Label_CzestNastWska = makeLabel(GroupBox_Zakres, "Label_CzestNastWska", 8, 36, 200);
    Label_Kmm = makeLabel(GroupBox_Zakres, "Label_Kmm", 220, 18, 200);
    Label_Kmz = makeLabel(GroupBox_Zakres, "Label_Kmz", 220, 36, 200);
    m_frame = new CharacteristicFrame(
        *this, *Notebook_Charakterystyka, *Panel_Zakladki,
        {GroupBox_Zakres, Label_Zakres, Label_CzestNastWska, Label_Kmm, Label_Kmz});
    layoutClient();
}

void TForm_Sprawdzanie::layoutClient()
{
    // The notebook ends 170 pixels above the bottom of the window, its tab
    // bars start two pixels lower, and the group boxes sit 129 pixels above
    // the bottom.
    const int h = height();
    const int w = Panel_Client->width() > 0 ? Panel_Client->width() : width();
    Panel_Glowny->setGeometry(0, 0, w, std::max(0, h - 129));
    Notebook_Charakterystyka->setGeometry(0, 0, w, std::max(0, h - 170));
    Panel_Zakladki->setGeometry(0, std::max(0, h - 168), w, 36);
    GroupBox_Miernik->setGeometry(4, std::max(0, h - 129), 200, 78);
    GroupBox_Zakres->setGeometry(208, std::max(0, h - 129), w - 212, 78);
}

void TForm_Sprawdzanie::refreshFromSession()
{
    using Item = DocumentDisplay::MenuItem;
    const DocumentDisplay &shown = m_session.display();
    // An open document's caption marks it while it has unsaved changes.
    setWindowTitle(shown.caption() + (m_session.hasDocument() ? QStringLiteral("[*]") : QString()));
    setWindowModified(m_session.hasDocument() && !m_session.isSaved());
    Menu_Plik_Excel->menuAction()->setEnabled(shown.menuEnabled(Item::Excel));
    Menu_Plik_Zapisz->setEnabled(shown.menuEnabled(Item::Zapisz));
    Menu_Plik_ZapiszJako->setEnabled(shown.menuEnabled(Item::ZapiszJako));
    Menu_Plik_Drukuj->setEnabled(shown.menuEnabled(Item::Drukuj));
    Menu_Plik_Zamknij->setEnabled(shown.menuEnabled(Item::Zamknij));
    Menu_Pomiary->setEnabled(shown.menuEnabled(Item::Pomiary));
    Menu_DaneMiernika->setEnabled(shown.menuEnabled(Item::DaneMiernika));
    Panel_Glowny->setVisible(shown.tablePanelVisible());
    GroupBox_Miernik->setVisible(shown.meterBoxVisible());
    GroupBox_Zakres->setVisible(shown.rangeBoxVisible());
    Label_Metoda->setText(shown.labelMetoda());
    Label_Nazwa->setText(shown.labelNazwa());
    Label_Numer->setText(shown.labelNumer());
}

void TForm_Sprawdzanie::refreshRecentMenu()
{
    const RecentFiles &recent = m_session.recentFiles();
    const QString first = recent.entry(1);
    Menu_Plik_OstatniePliki->setText(first.isEmpty() ? QStringLiteral("Ostatnio używane pliki")
                                                     : DocumentSession::baseName(first));
    Menu_Plik_OstatniePliki->setEnabled(!first.isEmpty());
    const std::array<QAction *, 4> others = {Recent2, Recent3, Recent4, Recent5};
    for (int k = 2; k <= RecentFiles::Count; ++k) {
        const QString entry = recent.entry(k);
        others[k - 2]->setText(DocumentSession::baseName(entry));
        others[k - 2]->setVisible(!entry.isEmpty());
    }
}

void TForm_Sprawdzanie::Menu_Plik_NowyClick()
{
    guarded(m_services.prompts, [this] { m_session.newDocument(); });
}

void TForm_Sprawdzanie::Menu_Plik_OtworzClick()
{
    guarded(m_services.prompts, [this] { m_session.openDocument(); });
}

void TForm_Sprawdzanie::Menu_Plik_ZapiszClick()
{
    guarded(m_services.prompts, [this] { m_session.save(); });
}

void TForm_Sprawdzanie::Menu_Plik_ZapiszJakoClick()
{
    guarded(m_services.prompts, [this] { m_session.saveAs(); });
}

void TForm_Sprawdzanie::Menu_Plik_ZamknijClick()
{
    guarded(m_services.prompts, [this] { m_session.closeDocument(); });
}

void TForm_Sprawdzanie::RecentClick(int k)
{
    guarded(m_services.prompts, [this, k] { m_session.openRecent(k); });
}

void TForm_Sprawdzanie::Menu_Plik_WyjscieClick()
{
    close();
}

void TForm_Sprawdzanie::Menu_RS232Click()
{
    if (m_rs232)
        m_services.prompts.exec(m_rs232);
}

void TForm_Sprawdzanie::Menu_DaneMiernikaClick()
{
    guarded(m_services.prompts, [this] { m_session.editMeterData(); });
}

void TForm_Sprawdzanie::Menu_KasujClick()
{
    guarded(m_services.prompts, [this] { resetCalibrator(m_services.link, m_services.clock); });
}

void TForm_Sprawdzanie::FormActivate()
{
    guarded(m_services.prompts, [this] { m_session.activate(); });
}

void TForm_Sprawdzanie::closeEvent(QCloseEvent *event)
{
    bool mayClose = false;
    guarded(m_services.prompts, [this, &mayClose] { mayClose = m_session.queryClose(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
    // The main window hides the table panel whenever it shows this window.
    m_session.display().setTablePanelVisible(false);
    QDialog::done(QDialog::Rejected);
}

void TForm_Sprawdzanie::reject()
{
    // Esc does nothing here: a stray key must not close the document's
    // window. It closes by its close box and "&Wyjście" only.
}

void TForm_Sprawdzanie::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Qt hands a widget's size increment and base size on to the window
    // system only when they are set after the native window exists; the
    // height of this window steps by whole rows while its border is dragged.
    if (QWindow *native = windowHandle()) {
        native->setSizeIncrement(sizeIncrement());
        native->setBaseSize(baseSize());
    }
    // The recent files are read once each time the window comes up, not at
    // every activation: every message box and file dialog gives the
    // activation back, and a reload then would drop the files opened since
    // the list was last written. Queued, so that the command-line document
    // loads once the window is on the screen.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            FormActivate();
    });
}

void TForm_Sprawdzanie::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutClient();
    m_frame->windowResized();
}
