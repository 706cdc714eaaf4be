// The program as the desktop shows it, on a real X server through the xcb
// platform: the captions and sizes the window system gets, Qt's own dialogs
// in Polish, texts that show whole, and the end of the program with its main
// window.
// ctest runs it twice, at scale 1 and with QT_SCALE_FACTOR=2.

#include "core/calibrator/calibratormodel.h"
#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/services.h"
#include "core/characteristic/rowscroller.h"
#include "gui/app/orvaneapplication.h"
#include "gui/app/program.h"
#include "gui/app/tform_oknoglowne.h"
#include "gui/app/tform_oprogramie.h"
#include "gui/characteristic/amplitude/amplitudepage.h"
#include "gui/characteristic/gridview.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/link/qtprompts.h"
#include "gui/measure/exactsettingdialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A property of a window as the X server holds it, read by another client.
QString propertyOnTheServer(QWidget *window, const QString &property)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("-notype"), property});
    if (!xprop.waitForFinished() || xprop.exitCode() != 0)
        return QStringLiteral("<xprop failed: %1>").arg(xprop.errorString());
    return QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
}

// The caption the window manager shows.
QString titleOnTheServer(QWidget *window)
{
    // _NET_WM_NAME = "Pulpit sterujący"
    const QString line = propertyOnTheServer(window, QStringLiteral("_NET_WM_NAME"));
    const qsizetype first = line.indexOf(QLatin1Char('"'));
    const qsizetype last = line.lastIndexOf(QLatin1Char('"'));
    if (first < 0 || last <= first)
        return QStringLiteral("<no title: %1>").arg(line);
    return line.mid(first + 1, last - first - 1);
}

// Whether the window manager is told the window has one size only.
bool fixedOnTheServer(QWidget *window)
{
    // program specified minimum size: 196 by 189
    // program specified maximum size: 196 by 189
    const QString hints = propertyOnTheServer(window, QStringLiteral("WM_NORMAL_HINTS"));
    const QRegularExpression size(QStringLiteral("program specified (minimum|maximum) size: (.*)"));
    QMap<QString, QString> sizes;
    for (const QString &line : hints.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = size.match(line.trimmed());
        if (match.hasMatch())
            sizes.insert(match.captured(1), match.captured(2));
    }
    return sizes.size() == 2 &&
           sizes.value(QStringLiteral("minimum")) == sizes.value(QStringLiteral("maximum"));
}

QWidget *windowNamed(const QString &name)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name)
            return window;
    }
    return nullptr;
}

QSize textSize(const QWidget *widget, const QString &text)
{
    return widget->fontMetrics().size(Qt::TextShowMnemonic, text);
}

// The texts of a window that do not show whole in the room they are given.
QStringList cutTexts(QWidget *window)
{
    QStringList cut;
    const auto check = [&cut](const QWidget *widget, const QString &text, const QSize &needed,
                              const QSize &room) {
        if (needed.width() > room.width() || needed.height() > room.height()) {
            cut.append(QStringLiteral("%1 \"%2\": needs %3x%4, has %5x%6")
                           .arg(widget->objectName(), text)
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(room.width())
                           .arg(room.height()));
        }
    };
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window))
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            if (label->text().isEmpty())
                continue;
            const QSize needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                                   : label->sizeHint();
            check(label, label->text(), needed, label->size());
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            if (button->text().isEmpty())
                continue;
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QStyle::SubElement contents =
                qobject_cast<QPushButton *>(button) ? QStyle::SE_PushButtonContents
                : button->inherits("QRadioButton")  ? QStyle::SE_RadioButtonContents
                                                    : QStyle::SE_CheckBoxContents;
            const QRect room = button->style()->subElementRect(contents, &option, button);
            check(button, button->text(), textSize(button, button->text()), room.size());
        } else if (auto *box = qobject_cast<QGroupBox *>(widget)) {
            check(box, box->title(), box->minimumSizeHint(), box->size());
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxEditField, combo);
            check(combo, combo->currentText(), textSize(combo, combo->currentText()), room.size());
        }
    }
    return cut;
}

} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void windowSystemGetsCaptionsAndSizes_data();
    void windowSystemGetsCaptionsAndSizes();
    void everyTextShowsWhole_data();
    void everyTextShowsWhole();
    void verificationGridShowsWholeTexts_data();
    void verificationGridShowsWholeTexts();
    void qtDialogsSpeakPolish();
    void closingTheMainWindowEndsTheProgramWhileTheAboutBoxIsUp();

private:
    std::unique_ptr<Program> m_program;
};

void DesktopTest::initTestCase()
{
    // What these tests are about is what a real window system sees.
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    m_program = std::make_unique<Program>(QStringList());
    m_program->showSplash();
    m_program->createWindows();
}

void DesktopTest::windowSystemGetsCaptionsAndSizes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("fixed");
    QTest::newRow("main window") << "Form_OknoGlowne"
                                 << "Orvane 707" << false;
    QTest::newRow("About box") << "Form_Oprogramie"
                               << "Informacje o programie" << true;
    QTest::newRow("front panel") << "Form_Pulpit"
                                 << "Pulpit sterujący" << true;
    QTest::newRow("model choice") << "Form_WyborKal"
                                  << "Wybór wykonania kalibratora" << true;
    QTest::newRow("serial settings") << "Form_RS232"
                                     << "Parametry transmisji" << true;
    QTest::newRow("verification") << "Form_Sprawdzanie"
                                  << "Sprawdzanie miernika" << false;
    QTest::newRow("print selection") << "Form_Drukowanie"
                                     << "Drukowanie" << true;
}

void DesktopTest::windowSystemGetsCaptionsAndSizes()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(bool, fixed);
    QWidget *widget = windowNamed(window);
    QVERIFY(widget);
    const bool wasVisible = widget->isVisible();
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    const QString title = titleOnTheServer(widget);
    const bool fixedSize = fixedOnTheServer(widget);
    const QString hints = propertyOnTheServer(widget, QStringLiteral("WM_NORMAL_HINTS"));
    if (!wasVisible)
        widget->hide();
    QCOMPARE(title, caption);
    QCOMPARE(fixedSize, fixed);
    // Only the verification window's height steps by whole grid rows.
    const int scale = int(widget->devicePixelRatio());
    QCOMPARE(hints.contains(QStringLiteral("resize increment: %1 by %2")
                                .arg(scale)
                                .arg(RowScroller::RowHeight * scale)),
             window == QLatin1String("Form_Sprawdzanie"));
}

void DesktopTest::everyTextShowsWhole_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("model");
    QTest::newRow("main window") << "Form_OknoGlowne"
                                 << "R-707FC";
    QTest::newRow("About box") << "Form_Oprogramie"
                               << "R-707";
    for (const QString &model : CalibratorModel::names())
        QTest::newRow(qPrintable("front panel " + model)) << "Form_Pulpit" << model;
    QTest::newRow("model choice") << "Form_WyborKal"
                                  << "R-707";
    QTest::newRow("serial settings") << "Form_RS232"
                                     << "R-707";
    QTest::newRow("print selection") << "Form_Drukowanie"
                                     << "R-707";
    QTest::newRow("exact setting") << "TForm_PomiaryDN"
                                   << "R-707";
    QTest::newRow("exact setting, frequency") << "TForm_PomiaryDN_Cz"
                                              << "R-707";
}

void DesktopTest::everyTextShowsWhole()
{
    QFETCH(QString, window);
    QFETCH(QString, model);
    CalibratorModel chosen;
    chosen.name = model;
    chosen.index = int(CalibratorModel::names().indexOf(model));
    chosen.save();
    m_program->services().model = chosen;
    QWidget *widget = windowNamed(window);
    QVERIFY(widget);
    if (auto *main = qobject_cast<TForm_OknoGlowne *>(widget))
        main->FormActivate();
    // A point with the widest unit beside its indication.
    if (auto *setting = qobject_cast<ExactSettingDialog *>(widget))
        setting->setup({QStringLiteral("200mA"), QStringLiteral("150,0000mA"),
                        QStringLiteral("100mA"), QStringLiteral("1000"), QStringLiteral("mA")});
    const bool wasVisible = widget->isVisible();
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    // Captions set while the window came up are laid out before it paints.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QStringList cut = cutTexts(widget);
    if (!wasVisible)
        widget->hide();
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

void DesktopTest::verificationGridShowsWholeTexts_data()
{
    QTest::addColumn<QString>("typ");
    QTest::newRow("Analogowy") << "Analogowy";
    QTest::newRow("Cyfrowy") << "Cyfrowy";
}

void DesktopTest::verificationGridShowsWholeTexts()
{
    QFETCH(QString, typ);
    TForm_Sprawdzanie *window = m_program->verificationWindow();
    auto *page = window->findChild<AmplitudePage *>();
    QVERIFY(page);
    // One range for every calibrator range, each with its widest texts:
    // values at the highest setting, negative where they may be, the
    // calibrator error off DC, a third as the class with the longest term,
    // and a user frequency of two decimals.
    TDaneSprawdzania record;
    record.setNazwa(QStringLiteral("Najszersze"));
    record.setTyp(typ);
    record.setWidokAmpl(true);
    for (int index = 0; index < CalibratorRanges::Count; ++index) {
        const CalibratorRanges::CalibratorRange &calibrator = CalibratorRanges::range(index);
        const QString unit = QString::fromLatin1(calibrator.unit);
        const long double limit = CalibratorRanges::settingLimit(index);
        const long double base = Units::isMilli(unit) ? limit / 1000 : limit;
        TZakresAmpl range = record.ZakresyAmpl(index + 1);
        range.setZak(limit);
        range.setJm(unit);
        range.setCz(4);
        range.setCzHz(99.99L);
        range.setKmm(1.0L / 3);
        range.setKmz(1.0L / 3);
        range.setKmzDod(QStringLiteral("0.002mV"));
        range.setZmierzony(true);
        for (int j : {1, 2}) {
            TPunktAmpl point = range.Punkty(j);
            point.setWm(-limit);
            point.setNk(-limit);
            point.setBmr(-limit);
            point.setBmd(limit);
            point.setBk(CalibratorRanges::calibratorError(index, 1, base));
            point.setJmBk(unit);
            point.setDokl(std::uint8_t(calibrator.decimals));
            point.setWl(true);
            point.setWpisany(true);
            point.setZmierzony(j == 1);
        }
    }
    window->record() = record;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->session().display().setTablePanelVisible(true);
    CharacteristicGrid &grid = page->grid();
    CharacteristicGridView &view = page->view();
    grid.showDocument();

    const QFontMetricsF cells(view.cellFont(), &view);
    const QFontMetricsF headers(view.headerFont(), &view);
    QStringList cut;
    for (const GridHeader &header : grid.rules().headers()) {
        const QRect room = view.headerRect(header).adjusted(
            CharacteristicGridView::TextPadding, 1, -CharacteristicGridView::TextPadding, -1);
        const QRectF needed =
            headers.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, header.caption);
        if (needed.width() > room.width() || needed.height() > room.height())
            cut.append(header.caption);
    }
    for (int k = 1; k <= CalibratorRanges::Count; ++k) {
        CellInput shown;
        if (const auto current = grid.currentCell())
            shown.text = grid.cell(*current).text;
        QVERIFY(grid.moveTo({GridArea::Ranges, 1, k}, shown));
        for (GridArea area : {GridArea::Ranges, GridArea::Points}) {
            for (int row = 1; row <= GridTags::Rows; ++row) {
                for (int column = 1; column <= GridTags::PointColumns; ++column) {
                    const GridCell cell = grid.cell(area, column, row);
                    const QRect room = view.textRect({area, column, row});
                    if (cell.visible && cells.horizontalAdvance(cell.text) > room.width())
                        cut.append(QStringLiteral("%1 in %2").arg(cell.text).arg(room.width()));
                }
            }
        }
    }
    // The list itself, open on the widest frequency.
    CellInput shown;
    shown.text = grid.cell(*grid.currentCell()).text;
    QVERIFY(grid.moveTo({GridArea::Ranges, 2, CalibratorRanges::Count}, shown));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    cut += cutTexts(window);
    grid.discardEdit();
    window->record().clear();
    grid.clear(false);
    window->session().display().setTablePanelVisible(false);
    window->hide();
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

void DesktopTest::qtDialogsSpeakPolish()
{
    // The "Zapisz &jako..." dialog of the verification window, as it comes up.
    QStringList fileDialogTexts;
    QTimer::singleShot(0, [&fileDialogTexts] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            fileDialogTexts << dialog->windowTitle();
            for (const char *name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                fileDialogTexts << dialog->findChild<QLabel *>(QLatin1String(name))->text();
            fileDialogTexts << dialog->labelText(QFileDialog::Accept);
        }
        if (modal)
            modal->close();
    });
    m_program->verificationWindow()->Menu_Plik_ZapiszJakoClick();
    QCOMPARE(fileDialogTexts, (QStringList{"Zachowaj jako", "Szukaj w:", "Nazwa &pliku:",
                                           "Pliki rodzaju:", "&Zachowaj"}));

    // A message box with details, as a refused serial port shows it.
    QString detailsButton;
    QTimer::singleShot(0, [&detailsButton] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton *button : box->buttons()) {
            if (box->buttonRole(button) == QMessageBox::ActionRole)
                detailsButton = button->text();
        }
        box->close();
    });
    QtPrompts prompts;
    prompts.show(QStringLiteral("Error opening com port"), QStringLiteral("Błąd komunikacji"),
                 PromptIcon::Critical, PromptButton::Ok, QStringLiteral("/dev/ttyS1"));
    QCOMPARE(detailsButton, QStringLiteral("Pokaż szczegóły..."));
}

void DesktopTest::closingTheMainWindowEndsTheProgramWhileTheAboutBoxIsUp()
{
    Program program({});
    program.start();
    QVERIFY(program.aboutBox()->isVisible());
    QTimer::singleShot(0, program.mainWindow(), &QWidget::close);
    // Returns only when the program ends; were it kept alive by the About
    // box, ctest's time-out would end this test as a failure.
    QCOMPARE(QApplication::exec(), 0);
}

int main(int argc, char *argv[])
{
    OrvaneApplication app(argc, argv);
    DesktopTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop.moc"
