#pragma once

#include "core/base/prompts.h"
#include "core/document/characteristic.h"
#include "core/document/documentdisplay.h"
#include "core/document/documentextension.h"
#include "core/document/recentfiles.h"
#include "core/document/tdanesprawdzania.h"

#include <QObject>
#include <QString>

#include <functional>

class VerificationRecorder;

// The open verification document and what belongs to it: the record, its
// file name, the saved flag, the current range of each of the three range
// arrays, and the recent files.
//
// The "Plik" menu operations live here. They ask their questions through
// Prompts and let file errors (EInOutError) escape to the caller, which
// shows them in the general error box; an operation stops where the error
// occurred. What the window shows of the document (caption, menu items,
// panel, group boxes) is kept apart in display(), which the operations
// bring up to date; the grids of both characteristics follow the document
// through the signals.
class DocumentSession : public QObject
{
    Q_OBJECT

public:
    // What the characteristic pages show; the view is recorded in WidokAmpl
    // before every write.
    enum class View { AmplitudeTable, AmplitudeChart, Frequency };

    explicit DocumentSession(Prompts &prompts, QObject *parent = nullptr);

    // The open document. Grids and runs read and write its fields and call
    // setChanged() on the changes they make.
    TDaneSprawdzania &record() { return m_record; }
    const TDaneSprawdzania &record() const { return m_record; }
    // Its extension data (decision rule, minimum accuracy ratio,
    // resolutions), loaded and written with the record. A new document
    // starts with the lab's settings, a closed one with none.
    const DocumentExtension &extension() const { return m_extension; }
    // A change the user made: the document counts as changed when it
    // differs.
    void setExtension(const DocumentExtension &extension);

    // Full path; "beznazwy.cal" for a document never saved; empty before the
    // first document.
    QString fileName() const { return m_fileName; }
    bool isSaved() const { return m_saved; }
    void setSaved(bool saved);
    void setChanged() { setSaved(false); }
    // A document (new or loaded) is shown in the window.
    bool hasDocument() const { return m_hasDocument; }

    // Current range of ZakresyAmpl, ZakresyCzDN and ZakresyCzDO; 1 at the
    // start and after every load.
    int BiezacyZakres() const { return m_biezacyZakres; }
    int BiezacyZakresCzDN() const { return m_biezacyZakresCzDN; }
    int BiezacyZakresCzDO() const { return m_biezacyZakresCzDO; }
    // The current range of a characteristic: of ZakresyAmpl, or of the
    // frequency array the document's Typ uses (ZakresyCzDO for "Analogowy",
    // ZakresyCzDN otherwise).
    int currentRange(Characteristic characteristic) const;
    void setCurrentRange(Characteristic characteristic, int k);

    // The document named on the command line, loaded at the next activation.
    void setOpenArgument(const QString &fileName);
    bool hasOpenArgument() const { return m_openArgumentFlag; }

    RecentFiles &recentFiles() { return m_recent; }
    const RecentFiles &recentFiles() const { return m_recent; }
    // Where the recent files are kept; empty for "orvane2.ini" in the
    // program's settings folder.
    void setRecentIniFile(const QString &iniFile) { m_recentIniFile = iniFile; }

    // Told of every successful write. A recorder that fails never fails the
    // save: the user is told once in the session that the save was not
    // recorded, and why.
    void setVerificationRecorder(VerificationRecorder *recorder) { m_recorder = recorder; }

    // What the window shows of the document.
    DocumentDisplay &display() { return m_display; }
    const DocumentDisplay &display() const { return m_display; }

    static QString untitledName() { return QStringLiteral("beznazwy.cal"); }
    // The text after the last path separator, or, when there is none, after
    // the last ':'.
    static QString baseName(const QString &path);

    // Which page is showing, as the view switching answers it; the
    // amplitude table until it is set.
    void setShownView(std::function<View()> shownView) { m_shownView = std::move(shownView); }
    View shownView() const { return m_shownView ? m_shownView() : View::AmplitudeTable; }
    // Shows the meter data dialog; newDocument enables the method choice.
    // Returns whether it ended with OK (the dialog has then written Nazwa,
    // Numer and Typ).
    void setMeterDialog(std::function<bool(bool newDocument)> dialog)
    {
        m_meterDialog = std::move(dialog);
    }

    // "Plik" menu.
    void newDocument();
    void openDocument();
    void openRecent(int k);
    void save();
    void saveAs();
    void closeDocument();
    // "&Dane miernika".
    void editMeterData();
    // Closing the window: whether it may close. Writes the recent files in
    // every case.
    bool queryClose();
    // The window became active: reloads the recent files, and loads the
    // command-line document once.
    void activate();

Q_SIGNALS:
    void recentFilesChanged();
    void savedChanged(bool saved);
    // The document went whole into this file.
    void documentWritten(const QString &fileName);
    // Selects the characteristic: amplitude (true) or frequency (false).
    void viewRestoreRequested(bool amplitude);
    // A new document was started: both grids show their first, empty range
    // row.
    void documentCreated();
    // A document was loaded: the grids fill themselves from the record.
    void documentLoaded();
    // The record is about to be discarded: a grid drops the edit under way
    // unstored.
    void aboutToCloseDocument();
    // The record was cleared: grids hide their rows.
    void documentClosed();
    // A write, or a close, new or open that may write, is coming: a grid
    // commits the edit under way, so that the question about unsaved
    // changes knows of it. Before a write the view is recorded right after.
    void aboutToSave();
    // The splash shown at start-up should go.
    void splashCloseRequested();
    // The extension data changed: whatever judges the points judges again.
    void extensionChanged();

private:
    enum class ViewRule { TablePageOnly, AmplitudeTab };

    using MenuItem = DocumentDisplay::MenuItem;

    // A Yes/No/Cancel question.
    PromptButton ask(const QString &text, const QString &caption);
    void recordView(ViewRule rule);
    // File dialogs start in the open document's folder, or the last one a
    // file dialog chose; at first in the user's home, never in the folder
    // the program happened to be started from.
    QString dialogFolder() const;
    void rememberFolder(const QString &fileName);
    QString askSaveName(const QString &proposal);
    QString askOpenName();
    // The document's full path; "beznazwy.cal" for one never saved.
    QString documentPath() const;
    QString nazwaProposal() const;
    void writeDocument(const QString &fileName);
    void replaceExtension(const DocumentExtension &extension);
    void tellDamagedExtension(bool damaged);
    // Writes and remembers the name, without touching the recent files.
    void writeRecord(const QString &fileName);
    void recordVerification(const QString &fileName);
    bool saveBeforeOpening();
    void openFile(const QString &fileName);
    void discardDocument();
    // "Zapisać zmiany?" before an unsaved document goes: Yes saves it under a
    // name the user gives, No lets it go. False when the user keeps it
    // (Cancel, or Cancel in the save dialog).
    bool saveOrDiscard(const QString &caption, void (DocumentSession::*write)(const QString &));
    void showDocument();
    void resetCurrentRanges();

    Prompts &m_prompts;
    TDaneSprawdzania m_record;
    DocumentExtension m_extension;
    QString m_fileName;
    QString m_folder;
    bool m_saved = true;
    bool m_hasDocument = false;
    int m_biezacyZakres = 1;
    int m_biezacyZakresCzDN = 1;
    int m_biezacyZakresCzDO = 1;
    bool m_openArgumentFlag = false;
    QString m_openArgument;
    RecentFiles m_recent;
    QString m_recentIniFile;
    VerificationRecorder *m_recorder = nullptr;
    bool m_recorderFailureShown = false;
    std::function<View()> m_shownView;
    std::function<bool(bool)> m_meterDialog;

    DocumentDisplay m_display;
};
