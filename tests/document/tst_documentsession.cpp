#include "core/base/errors.h"
#include "core/document/documentfile.h"
#include "core/document/documentsession.h"
#include "core/document/uncertaintysettings.h"
#include "tests/support/core/testmain.h"
#include "tests/support/core/testservices.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

using Item = DocumentDisplay::MenuItem;

// A session with scripted prompts, its recent files in a scratch folder and
// a meter dialog that accepts with the given meter.
class Fixture
{
public:
    Fixture()
    {
        session.setRecentIniFile(dir.filePath("orvane2.ini"));
        session.setMeterDialog([this](bool newDocument) {
            meterDialogs.append(newDocument);
            if (!meterAccepts)
                return false;
            session.record().setNazwa(meterName);
            session.record().setNumer(QStringLiteral("123"));
            session.record().setTyp(QStringLiteral("Cyfrowy"));
            return true;
        });
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    // A document file with one range, written as the program writes it.
    QString makeFile(const QString &name, bool amplitudeView = true)
    {
        TDaneSprawdzania record;
        record.setNazwa(name);
        record.setNumer(QStringLiteral("9"));
        record.setTyp(QStringLiteral("Analogowy"));
        record.setWidokAmpl(amplitudeView);
        record.ZakresyAmpl(1).setZak(10);
        DocumentFile::write(record, path(name));
        return path(name);
    }

    void openFile(const QString &file)
    {
        t.prompts.openNames.push_back(file);
        session.openDocument();
    }

    // A new document with an edit in it.
    void changedNewDocument()
    {
        session.newDocument();
        session.record().ZakresyAmpl(1).setZak(1);
        session.setChanged();
        t.prompts.messages.clear();
    }

    QTemporaryDir dir;
    TestServices t;
    DocumentSession session{t.prompts};
    QList<bool> meterDialogs;
    bool meterAccepts = true;
    QString meterName = QStringLiteral("V640");
};

class DocumentSessionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<Fixture>(); }

    void startsWithoutADocument();
    void newDocumentWithoutChangesAsksNothing();
    void cancelledMeterDialogLeavesNoDocument();
    void newWithChangesAsks_data();
    void newWithChangesAsks();
    void newAnsweredYesSavesWithoutTouchingRecentFiles();
    void cancelledSaveDialogKeepsTheDocumentOnNew();
    void saveOfANewDocumentProposesItsName();
    void newDocumentTakesTheLabsRuleAndKeepsIt();
    void saveAfterTheQuestionProposesTheOpenedFile_data();
    void saveAfterTheQuestionProposesTheOpenedFile();
    void saveOfAnOpenedDocumentAsksNothing();
    void failedSaveLeavesTheSavedFlag();
    void openShowsTheDocument();
    void failedOpenKeepsTheOpenDocument();
    void openWithChangesSavesUnderItsOwnName();
    void cancelledSaveDialogCancelsTheOpening();
    void closeWithChangesAnsweredCancelKeepsEverything();
    void closeWithChangesAnsweredNoDiscards();
    void closeWithChangesSavedThroughTheDialog();
    void gridsAreToldBeforeTheRecordGoes();
    void windowCloseAsks_data();
    void windowCloseAsks();
    void windowCloseWritesRecentFilesEvenWhenCancelled();
    void viewIsRecordedBeforeWriting_data();
    void viewIsRecordedBeforeWriting();
    void editUnderWayCountsBeforeNewOrOpen_data();
    void editUnderWayCountsBeforeNewOrOpen();
    void frequencyViewIsRestoredOnOpening();
    void recentFilesArithmetic();
    void sameFileTwiceIsKeptOnce();
    void recentEntryIsTakenBeforeSaving();
    void recentFilesSurviveInTheIniFile();
    void commandLineDocumentIsLoadedOnce();
    void meterDataCorrectionIsAChange();
    void fileNameWithoutDirectory_data();
    void fileNameWithoutDirectory();

private:
    std::unique_ptr<Fixture> f;
};

void DocumentSessionTest::startsWithoutADocument()
{
    const DocumentSession &s = f->session;
    QCOMPARE(s.display().caption(), QStringLiteral("Sprawdzanie miernika"));
    QVERIFY(s.isSaved());
    QVERIFY(!s.hasDocument());
    QVERIFY(s.fileName().isEmpty());
    for (Item item : {Item::Excel, Item::Zapisz, Item::ZapiszJako, Item::Drukuj, Item::Zamknij,
                      Item::Pomiary, Item::DaneMiernika})
        QVERIFY(!s.display().menuEnabled(item));
    QCOMPARE(s.BiezacyZakres(), 1);
    QCOMPARE(s.BiezacyZakresCzDO(), 1);
}

void DocumentSessionTest::newDocumentWithoutChangesAsksNothing()
{
    QSignalSpy created(&f->session, &DocumentSession::documentCreated);
    QSignalSpy view(&f->session, &DocumentSession::viewRestoreRequested);
    f->session.newDocument();
    const DocumentSession &s = f->session;
    QVERIFY(f->t.prompts.messages.isEmpty());
    QCOMPARE(f->meterDialogs, QList<bool>{true});
    QCOMPARE(s.display().caption(), QStringLiteral("Sprawdzanie miernika : beznazwy.cal"));
    QCOMPARE(s.fileName(), QStringLiteral("beznazwy.cal"));
    QVERIFY(s.isSaved());
    QVERIFY(s.hasDocument());
    QVERIFY(s.display().tablePanelVisible());
    QVERIFY(s.display().meterBoxVisible());
    QCOMPARE(s.display().labelNazwa(), QStringLiteral("V640"));
    QCOMPARE(s.display().labelMetoda(), QStringLiteral("Metoda dok. nastawy"));
    for (Item item : {Item::Excel, Item::Zapisz, Item::ZapiszJako, Item::Drukuj, Item::Zamknij,
                      Item::DaneMiernika})
        QVERIFY(s.display().menuEnabled(item));
    // "Po&miary" waits for the first point.
    QVERIFY(!s.display().menuEnabled(Item::Pomiary));
    QCOMPARE(created.count(), 1);
    QCOMPARE(view.last().at(0).toBool(), true);

    // A new document with no edits closes without a question.
    f->session.closeDocument();
    QVERIFY(f->t.prompts.messages.isEmpty());
    QVERIFY(!f->session.hasDocument());
}

void DocumentSessionTest::cancelledMeterDialogLeavesNoDocument()
{
    f->meterAccepts = false;
    f->session.newDocument();
    QVERIFY(!f->session.hasDocument());
    QVERIFY(!f->session.display().tablePanelVisible());
    QCOMPARE(f->session.display().caption(), QStringLiteral("Sprawdzanie miernika"));
    QVERIFY(!f->session.display().menuEnabled(Item::Zapisz));
}

void DocumentSessionTest::newWithChangesAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("newStarted");
    QTest::newRow("No") << int(PromptButton::No) << true;
    QTest::newRow("Cancel") << int(PromptButton::Cancel) << false;
}

void DocumentSessionTest::newWithChangesAsks()
{
    QFETCH(int, answer);
    QFETCH(bool, newStarted);
    f->changedNewDocument();
    f->meterName = QStringLiteral("second");
    f->t.prompts.answers.push_back(PromptButton(answer));
    f->session.newDocument();
    QCOMPARE(f->t.prompts.texts(), QStringList{"Zapisać zmiany?"});
    QCOMPARE(f->t.prompts.messages.first().caption, QStringLiteral("Uwaga!"));
    QCOMPARE(f->session.isSaved(), newStarted);
    QCOMPARE(f->session.record().Nazwa(),
             newStarted ? QStringLiteral("second") : QStringLiteral("V640"));
    QCOMPARE(double(f->session.record().ZakresyAmpl(1).Zak()), newStarted ? 0.0 : 1.0);
}

void DocumentSessionTest::newAnsweredYesSavesWithoutTouchingRecentFiles()
{
    f->changedNewDocument();
    f->t.prompts.answers.push_back(PromptButton::Yes);
    f->t.prompts.saveNames.push_back(f->path("first.cal"));
    f->session.newDocument();
    QCOMPARE(double(DocumentFile::read(f->path("first.cal")).ZakresyAmpl(1).Zak()), 1.0);
    QCOMPARE(f->session.recentFiles().entry(1), QString());
    QCOMPARE(f->session.fileName(), QStringLiteral("beznazwy.cal"));
    QCOMPARE(f->meterDialogs.size(), 2);
}

void DocumentSessionTest::cancelledSaveDialogKeepsTheDocumentOnNew()
{
    f->changedNewDocument();
    QByteArray before = f->session.record().toBytes();
    before[83] = 1; // the view is recorded before the question
    f->t.prompts.answers.push_back(PromptButton::Yes);
    f->session.newDocument(); // no save name: the dialog is cancelled
    QCOMPARE(f->t.prompts.fileRequests.size(), 1);
    QVERIFY(!f->session.isSaved());
    QVERIFY(f->session.hasDocument());
    QCOMPARE(f->session.record().toBytes(), before);
    QCOMPARE(f->meterDialogs.size(), 1);
    QCOMPARE(f->session.display().caption(), QStringLiteral("Sprawdzanie miernika : beznazwy.cal"));
}

void DocumentSessionTest::saveOfANewDocumentProposesItsName()
{
    f->meterName = QString(30, QLatin1Char('n'));
    f->changedNewDocument();
    f->t.prompts.saveNames.push_back(f->path("named.cal"));
    f->session.save();
    QCOMPARE(f->t.prompts.fileRequests.size(), 1);
    QCOMPARE(f->t.prompts.fileRequests.first().selectedFile,
             QString(30, QLatin1Char('n')) + ".cal");
    QCOMPARE(f->t.prompts.fileRequests.first().defaultSuffix, QStringLiteral("cal"));
    QVERIFY(f->session.isSaved());
    QCOMPARE(f->session.fileName(), f->path("named.cal"));
    QCOMPARE(f->session.display().caption(), QStringLiteral("Sprawdzanie miernika : named.cal"));
    QCOMPARE(f->session.recentFiles().entry(1), f->path("named.cal"));
    QCOMPARE(QFileInfo(f->path("named.cal")).size(), 160804);
}

void DocumentSessionTest::newDocumentTakesTheLabsRuleAndKeepsIt()
{
    // Typed by hand, with a decimal comma.
    QFile ini(UncertaintySettings::filePath());
    const QByteArray before = ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
    ini.close();
    const auto restoreIni = qScopeGuard([&] {
        ini.remove();
        if (!before.isEmpty() && ini.open(QIODevice::WriteOnly))
            ini.write(before);
    });
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Niepewnosc]\nRegula=four_zone\nMinTUR=\"2,5\"\n");
    ini.close();
    f->session.newDocument();
    QCOMPARE(f->session.extension().decisionRule(), DecisionRule::FourZone);
    QCOMPARE(double(f->session.extension().minTur()), 2.5);
    f->t.prompts.saveNames.push_back(f->path("four.cal"));
    f->session.save();

    // The document keeps its rule whatever the lab chooses later.
    UncertaintySettings{DecisionRule::GuardBand, 3}.save();
    QCOMPARE(UncertaintySettings::load(), (UncertaintySettings{DecisionRule::GuardBand, 3}));
    f->session.closeDocument();
    QVERIFY(f->session.extension().isEmpty());
    f->openFile(f->path("four.cal"));
    QCOMPARE(f->session.extension().decisionRule(), DecisionRule::FourZone);
    QCOMPARE(double(f->session.extension().minTur()), 2.5);
}

void DocumentSessionTest::saveAfterTheQuestionProposesTheOpenedFile_data()
{
    QTest::addColumn<bool>("closing"); // "Zamknij"; otherwise "&Nowy"
    QTest::newRow("&Nowy") << false;
    QTest::newRow("Zamknij") << true;
}

void DocumentSessionTest::saveAfterTheQuestionProposesTheOpenedFile()
{
    QFETCH(bool, closing);
    // Before any file: the user's home, not wherever the program started.
    f->session.openDocument();
    QCOMPARE(f->t.prompts.fileRequests.last().directory, QDir::homePath());

    QVERIFY(QDir(f->dir.path()).mkdir(QStringLiteral("sub")));
    const QString file = f->makeFile(QStringLiteral("sub/a.cal"));
    f->openFile(file);
    f->session.record().ZakresyAmpl(1).setZak(30);
    f->session.setChanged();
    f->t.prompts.fileRequests.clear();
    f->t.prompts.answers.push_back(PromptButton::Yes);
    f->t.prompts.saveNames.push_back(file);
    closing ? f->session.closeDocument() : f->session.newDocument();
    QCOMPARE(f->t.prompts.texts(), QStringList{"Zapisać zmiany?"});
    // Enter writes over the file that was opened.
    QCOMPARE(f->t.prompts.fileRequests.first().selectedFile, file);
    QCOMPARE(f->t.prompts.fileRequests.first().directory, f->path("sub"));
    QCOMPARE(double(DocumentFile::read(file).ZakresyAmpl(1).Zak()), 30.0);
    // The next dialog starts where the last one was.
    f->session.openDocument();
    QCOMPARE(f->t.prompts.fileRequests.last().directory, f->path("sub"));
}

void DocumentSessionTest::saveOfAnOpenedDocumentAsksNothing()
{
    f->openFile(f->makeFile("a.cal"));
    f->session.record().ZakresyAmpl(1).setZak(20);
    f->session.setChanged();
    f->t.prompts.fileRequests.clear();
    f->session.save();
    QVERIFY(f->t.prompts.fileRequests.isEmpty());
    QVERIFY(f->session.isSaved());
    QCOMPARE(double(DocumentFile::read(f->path("a.cal")).ZakresyAmpl(1).Zak()), 20.0);
}

void DocumentSessionTest::failedSaveLeavesTheSavedFlag()
{
    f->changedNewDocument();
    f->t.prompts.saveNames.push_back(f->path("missing/folder/x.cal"));
    QVERIFY_THROWS_EXCEPTION(EInOutError, f->session.save());
    QVERIFY(!f->session.isSaved());
    QCOMPARE(f->session.fileName(), QStringLiteral("beznazwy.cal"));
    QCOMPARE(f->session.recentFiles().entry(1), QString());

    f->t.prompts.saveNames.push_back(f->path("missing/folder/x.cal"));
    QVERIFY_THROWS_EXCEPTION(EInOutError, f->session.saveAs());
    QVERIFY(!f->session.isSaved());
    QVERIFY(f->session.hasDocument());
}

void DocumentSessionTest::openShowsTheDocument()
{
    QSignalSpy loaded(&f->session, &DocumentSession::documentLoaded);
    f->session.setCurrentRange(Characteristic::Amplitude, 5);
    f->session.setCurrentRange(Characteristic::Frequency, 3);
    f->openFile(f->makeFile("meter.cal"));
    const DocumentSession &s = f->session;
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(s.display().caption(), QStringLiteral("Sprawdzanie miernika : meter.cal"));
    QCOMPARE(s.display().labelMetoda(), QStringLiteral("Metoda dok. odczytu"));
    QCOMPARE(s.display().labelNumer(), QStringLiteral("9"));
    for (Item item : {Item::Excel, Item::Zapisz, Item::ZapiszJako, Item::Drukuj, Item::Zamknij,
                      Item::Pomiary, Item::DaneMiernika})
        QVERIFY(s.display().menuEnabled(item));
    QVERIFY(s.isSaved());
    QCOMPARE(s.BiezacyZakres(), 1);
    QCOMPARE(s.BiezacyZakresCzDN(), 1);
    QCOMPARE(s.recentFiles().entry(1), f->path("meter.cal"));
    QCOMPARE(f->t.prompts.fileRequests.first().defaultSuffix, QStringLiteral("cal"));

    // A cancelled open dialog changes nothing.
    f->session.openDocument();
    QVERIFY(f->session.hasDocument());
}

void DocumentSessionTest::failedOpenKeepsTheOpenDocument()
{
    f->openFile(f->makeFile("good.cal"));
    f->session.record().ZakresyAmpl(1).setZak(5);
    f->session.setChanged();
    QFile bad(f->path("bad.cal"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(160803, 1)); // a document cut short
    bad.close();
    // Answered No, and yet nothing is lost while the file is refused.
    f->t.prompts.answers.push_back(PromptButton::No);
    QVERIFY_THROWS_EXCEPTION(EInOutError, f->openFile(f->path("bad.cal")));
    QVERIFY(f->session.hasDocument());
    QCOMPARE(f->session.display().caption(), QStringLiteral("Sprawdzanie miernika : good.cal"));
    QCOMPARE(f->session.fileName(), f->path("good.cal"));
    QCOMPARE(double(f->session.record().ZakresyAmpl(1).Zak()), 5.0);
    QVERIFY(!f->session.isSaved());
    QVERIFY(f->session.display().menuEnabled(Item::Zapisz));
    QCOMPARE(f->session.recentFiles().entry(1), f->path("good.cal"));
}

void DocumentSessionTest::openWithChangesSavesUnderItsOwnName()
{
    f->openFile(f->makeFile("a.cal"));
    f->session.record().ZakresyAmpl(1).setZak(30);
    f->session.setChanged();
    f->t.prompts.answers.push_back(PromptButton::Yes);
    f->openFile(f->makeFile("b.cal"));
    QCOMPARE(f->t.prompts.texts(), QStringList{"Poprzednie dane nie zostały zapisane. Zapisać ?"});
    QCOMPARE(double(DocumentFile::read(f->path("a.cal")).ZakresyAmpl(1).Zak()), 30.0);
    QCOMPARE(f->session.fileName(), f->path("b.cal"));
    QCOMPARE(f->session.recentFiles().entries().mid(0, 2),
             (QStringList{f->path("b.cal"), f->path("a.cal")}));
}

void DocumentSessionTest::cancelledSaveDialogCancelsTheOpening()
{
    f->changedNewDocument();
    f->t.prompts.answers.push_back(PromptButton::Yes);
    f->openFile(f->makeFile("b.cal")); // the save dialog has no name: cancelled
    QVERIFY(!f->session.isSaved());
    QCOMPARE(f->session.fileName(), QStringLiteral("beznazwy.cal"));
    QCOMPARE(double(f->session.record().ZakresyAmpl(1).Zak()), 1.0);
    QCOMPARE(f->t.prompts.openNames.size(), std::size_t(1)); // never asked
}

void DocumentSessionTest::closeWithChangesAnsweredCancelKeepsEverything()
{
    f->openFile(f->makeFile("a.cal"));
    f->session.record().ZakresyAmpl(1).setZak(30);
    f->session.setChanged();
    f->t.prompts.answers.push_back(PromptButton::Cancel);
    f->session.closeDocument();
    QCOMPARE(f->t.prompts.texts(), QStringList{"Zapisać zmiany?"});
    QCOMPARE(f->t.prompts.messages.first().caption, QStringLiteral("Uwaga"));
    const DocumentSession &s = f->session;
    QVERIFY(!s.isSaved());
    QVERIFY(s.hasDocument());
    QVERIFY(s.display().tablePanelVisible());
    for (Item item : {Item::Zapisz, Item::ZapiszJako, Item::Drukuj, Item::Zamknij})
        QVERIFY(s.display().menuEnabled(item));
    QCOMPARE(double(s.record().ZakresyAmpl(1).Zak()), 30.0);
}

void DocumentSessionTest::closeWithChangesAnsweredNoDiscards()
{
    f->openFile(f->makeFile("a.cal"));
    f->session.setChanged();
    QSignalSpy closed(&f->session, &DocumentSession::documentClosed);
    f->t.prompts.answers.push_back(PromptButton::No);
    f->session.closeDocument();
    const DocumentSession &s = f->session;
    QCOMPARE(closed.count(), 1);
    QVERIFY(s.isSaved());
    QVERIFY(!s.hasDocument());
    QVERIFY(!s.display().tablePanelVisible());
    QVERIFY(!s.display().meterBoxVisible());
    for (Item item : {Item::Excel, Item::Zapisz, Item::ZapiszJako, Item::Drukuj, Item::Zamknij,
                      Item::Pomiary, Item::DaneMiernika})
        QVERIFY(!s.display().menuEnabled(item));
    QCOMPARE(s.display().caption(), QStringLiteral("Sprawdzanie miernika"));
    QCOMPARE(s.display().labelNazwa(), QString());
}

void DocumentSessionTest::closeWithChangesSavedThroughTheDialog()
{
    f->changedNewDocument();
    f->t.prompts.answers.push_back(PromptButton::Yes);
    f->t.prompts.saveNames.push_back(f->path("kept.cal"));
    f->session.closeDocument();
    QVERIFY(!f->session.hasDocument());
    QCOMPARE(double(DocumentFile::read(f->path("kept.cal")).ZakresyAmpl(1).Zak()), 1.0);
    QCOMPARE(f->session.recentFiles().entry(1), f->path("kept.cal"));
}

void DocumentSessionTest::gridsAreToldBeforeTheRecordGoes()
{
    // The grids drop their edit while the record still holds the document,
    // and hide their rows once it is cleared.
    f->changedNewDocument();
    QList<double> seen;
    connect(&f->session, &DocumentSession::aboutToCloseDocument, this,
            [&] { seen.append(double(f->session.record().ZakresyAmpl(1).Zak())); });
    connect(&f->session, &DocumentSession::documentClosed, this,
            [&] { seen.append(double(f->session.record().ZakresyAmpl(1).Zak())); });
    f->t.prompts.answers.push_back(PromptButton::No);
    f->session.closeDocument();
    QCOMPARE(seen, (QList<double>{1.0, 0.0}));
}

void DocumentSessionTest::windowCloseAsks_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("giveSaveName");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");
    QTest::newRow("Yes, named") << true << int(PromptButton::Yes) << false << true << true;
    QTest::newRow("Yes, new, saved") << false << int(PromptButton::Yes) << true << true << true;
    QTest::newRow("Yes, new, dialog cancelled")
        << false << int(PromptButton::Yes) << false << false << false;
    QTest::newRow("No") << true << int(PromptButton::No) << false << true << false;
    QTest::newRow("Cancel") << true << int(PromptButton::Cancel) << false << false << false;
}

void DocumentSessionTest::windowCloseAsks()
{
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(bool, giveSaveName);
    QFETCH(bool, closes);
    QFETCH(bool, written);
    if (named)
        f->openFile(f->makeFile("a.cal"));
    else
        f->session.newDocument();
    f->session.record().ZakresyAmpl(1).setZak(77);
    f->session.setChanged();
    f->t.prompts.messages.clear();
    f->t.prompts.answers.push_back(PromptButton(answer));
    if (giveSaveName)
        f->t.prompts.saveNames.push_back(f->path("a.cal"));

    QCOMPARE(f->session.queryClose(), closes);
    QCOMPARE(f->t.prompts.texts(), QStringList{"Zapisać zmiany w pliku ?"});
    QCOMPARE(f->t.prompts.messages.first().caption, QStringLiteral("Uwaga !"));
    QCOMPARE(f->session.hasDocument(), !closes);
    QCOMPARE(f->session.isSaved(), closes || written);
    QCOMPARE(f->session.display().menuEnabled(Item::Zapisz), !closes);
    if (QFileInfo::exists(f->path("a.cal")))
        QCOMPARE(DocumentFile::read(f->path("a.cal")).ZakresyAmpl(1).Zak() == 77, written);
    else
        QVERIFY(!written);
}

void DocumentSessionTest::windowCloseWritesRecentFilesEvenWhenCancelled()
{
    f->openFile(f->makeFile("a.cal"));
    f->session.setChanged();
    f->t.prompts.answers.push_back(PromptButton::Cancel);
    QVERIFY(!f->session.queryClose());
    RecentFiles stored;
    stored.load(f->path("orvane2.ini"));
    QCOMPARE(stored.entry(1), f->path("a.cal"));
}

void DocumentSessionTest::viewIsRecordedBeforeWriting_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("recorded");
    using V = DocumentSession::View;
    QTest::newRow("frequency, save") << int(V::Frequency) << false << true << false;
    QTest::newRow("table, save") << int(V::AmplitudeTable) << false << false << true;
    // "&Zapisz " leaves the view alone while an amplitude chart shows.
    QTest::newRow("chart, save") << int(V::AmplitudeChart) << false << false << false;
    QTest::newRow("chart, save as") << int(V::AmplitudeChart) << true << false << true;
}

void DocumentSessionTest::viewIsRecordedBeforeWriting()
{
    QFETCH(int, view);
    QFETCH(bool, saveAs);
    QFETCH(bool, before);
    QFETCH(bool, recorded);
    f->openFile(f->makeFile("a.cal", before));
    f->session.setShownView([view] { return DocumentSession::View(view); });
    QSignalSpy aboutToSave(&f->session, &DocumentSession::aboutToSave);
    if (saveAs) {
        f->t.prompts.saveNames.push_back(f->path("a.cal"));
        f->session.saveAs();
    } else {
        f->session.save();
    }
    QCOMPARE(aboutToSave.count(), 1);
    QCOMPARE(DocumentFile::read(f->path("a.cal")).WidokAmpl(), recorded);
}

void DocumentSessionTest::editUnderWayCountsBeforeNewOrOpen_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("question");
    QTest::newRow("new") << "new"
                         << "Zapisać zmiany?";
    QTest::newRow("open") << "open"
                          << "Poprzednie dane nie zostały zapisane. Zapisać ?";
    QTest::newRow("recent") << "recent"
                            << "Poprzednie dane nie zostały zapisane. Zapisać ?";
}

void DocumentSessionTest::editUnderWayCountsBeforeNewOrOpen()
{
    QFETCH(QString, operation);
    QFETCH(QString, question);
    f->openFile(f->makeFile("other.cal"));
    f->openFile(f->makeFile("a.cal", true));
    // A cell holds a typed value: the grid stores it when asked to commit.
    connect(&f->session, &DocumentSession::aboutToSave, this, [this] {
        if (f->session.record().ZakresyAmpl(1).Zak() == 77)
            return;
        f->session.record().ZakresyAmpl(1).setZak(77);
        f->session.setChanged();
    });
    f->session.setShownView([] { return DocumentSession::View::Frequency; });
    f->t.prompts.answers.push_back(PromptButton::Yes);
    f->t.prompts.saveNames.push_back(f->path("a.cal"));
    if (operation == QLatin1String("new"))
        f->session.newDocument();
    else if (operation == QLatin1String("open"))
        f->session.openDocument();
    else
        f->session.openRecent(2);
    QCOMPARE(f->t.prompts.texts(), QStringList{question});
    // Saved with the edit and with the view, as every save is.
    const TDaneSprawdzania saved = DocumentFile::read(f->path("a.cal"));
    QCOMPARE(double(saved.ZakresyAmpl(1).Zak()), 77.0);
    QVERIFY(!saved.WidokAmpl());
}

void DocumentSessionTest::frequencyViewIsRestoredOnOpening()
{
    QSignalSpy view(&f->session, &DocumentSession::viewRestoreRequested);
    f->openFile(f->makeFile("freq.cal", false));
    QCOMPARE(view.last().at(0).toBool(), false);
    f->openFile(f->makeFile("ampl.cal", true));
    QCOMPARE(view.last().at(0).toBool(), true);
}

void DocumentSessionTest::recentFilesArithmetic()
{
    RecentFiles recent;
    for (const char *name : {"E", "D", "C", "B", "A"})
        recent.add(QLatin1String(name));
    QCOMPARE(recent.entries(), (QStringList{"A", "B", "C", "D", "E"}));
    recent.add("C");
    QCOMPARE(recent.entries(), (QStringList{"C", "A", "B", "D", "E"}));
    recent.add("F");
    QCOMPARE(recent.entries(), (QStringList{"F", "C", "A", "B", "D"}));
    recent.add("D");
    QCOMPARE(recent.entries(), (QStringList{"D", "F", "C", "A", "B"}));
    // Names differ by case: both stay.
    recent.add("d");
    QCOMPARE(recent.entries(), (QStringList{"d", "D", "F", "C", "A"}));

    RecentFiles few;
    few.add("x");
    few.add("y");
    QCOMPARE(few.entries(), (QStringList{"y", "x", "", "", ""}));
}

void DocumentSessionTest::sameFileTwiceIsKeptOnce()
{
    const QString a = f->makeFile("a.cal");
    f->openFile(f->makeFile("b.cal"));
    f->openFile(a);
    f->openFile(a);
    QCOMPARE(f->session.recentFiles().entries(), (QStringList{a, f->path("b.cal"), "", "", ""}));
}

void DocumentSessionTest::recentEntryIsTakenBeforeSaving()
{
    const QString a = f->makeFile("a.cal");
    const QString b = f->makeFile("b.cal");
    f->openFile(a);
    f->openFile(b); // recent: b, a
    f->session.setChanged();
    f->t.prompts.answers.push_back(PromptButton::Yes);
    // Saving b puts it on top again; entry 2 is still a, the file chosen.
    f->session.openRecent(2);
    QCOMPARE(f->session.fileName(), a);
    QCOMPARE(f->session.recentFiles().entries().mid(0, 2), (QStringList{a, b}));
}

void DocumentSessionTest::recentFilesSurviveInTheIniFile()
{
    QFile ini(f->path("orvane2.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[COMM]\nPORT=2\n\n[Recent Files]\n1=C:\\dane\\a.cal\n3=b.cal\n");
    ini.close();
    f->session.activate();
    QCOMPARE(f->session.recentFiles().entries(),
             (QStringList{"C:\\dane\\a.cal", "", "b.cal", "", ""}));
    f->session.recentFiles().add("c.cal");
    f->session.queryClose();
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(
        QString::fromUtf8(ini.readAll()),
        QStringLiteral(
            "[COMM]\nPORT=2\n\n[Recent Files]\n1=c.cal\n2=C:\\dane\\a.cal\n3=b.cal\n4=\n5=\n"));
}

void DocumentSessionTest::commandLineDocumentIsLoadedOnce()
{
    const QString file = f->makeFile("arg.cal", false);
    QSignalSpy splash(&f->session, &DocumentSession::splashCloseRequested);
    QSignalSpy view(&f->session, &DocumentSession::viewRestoreRequested);
    f->session.setOpenArgument(file);
    QVERIFY(f->session.hasOpenArgument());
    f->session.activate();
    QCOMPARE(splash.count(), 1);
    QVERIFY(f->session.hasDocument());
    QVERIFY(f->session.isSaved());
    QCOMPARE(f->session.fileName(), file);
    QCOMPARE(view.last().at(0).toBool(), false);
    QCOMPARE(f->session.recentFiles().entry(1), QString()); // not added
    f->session.setChanged();
    f->session.activate();
    QCOMPARE(splash.count(), 1);
    QVERIFY(!f->session.isSaved());
}

void DocumentSessionTest::meterDataCorrectionIsAChange()
{
    f->openFile(f->makeFile("a.cal"));
    f->meterName = QStringLiteral("a.cal"); // the same name
    f->session.record().setTyp(QStringLiteral("Cyfrowy"));
    f->session.setSaved(true);
    f->session.record().setNumer(QStringLiteral("123"));
    f->session.editMeterData();
    QCOMPARE(f->meterDialogs.last(), false);
    QVERIFY(f->session.isSaved());
    f->meterName = QStringLiteral("other");
    f->session.editMeterData();
    QVERIFY(!f->session.isSaved());
    QCOMPARE(f->session.display().labelNazwa(), QStringLiteral("other"));
}

void DocumentSessionTest::fileNameWithoutDirectory_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("windows") << "C:\\dane\\x.cal"
                             << "x.cal";
    QTest::newRow("drive only") << "C:x.cal"
                                << "x.cal";
    QTest::newRow("unix") << "/home/lab/x.cal"
                          << "x.cal";
    QTest::newRow("bare") << "beznazwy.cal"
                          << "beznazwy.cal";
}

void DocumentSessionTest::fileNameWithoutDirectory()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(DocumentSession::baseName(path), name);
}

ORVANE_TEST_MAIN(DocumentSessionTest)
#include "tst_documentsession.moc"
