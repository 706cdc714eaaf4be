#include "core/document/documentsession.h"

#include "core/base/errors.h"
#include "core/document/documentfile.h"
#include "core/document/uncertaintysettings.h"
#include "core/document/verificationrecorder.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace {

FileRequest fileRequest(const QString &directory, const QString &filter, const QString &selected)
{
    FileRequest request;
    request.directory = directory;
    request.filter = filter;
    request.defaultSuffix = QStringLiteral("cal");
    request.selectedFile = selected;
    return request;
}

} // namespace

DocumentSession::DocumentSession(Prompts &prompts, QObject *parent)
    : QObject(parent), m_prompts(prompts)
{}

void DocumentSession::setSaved(bool saved)
{
    if (m_saved == saved)
        return;
    m_saved = saved;
    Q_EMIT savedChanged(saved);
}

int DocumentSession::currentRange(Characteristic characteristic) const
{
    if (characteristic == Characteristic::Amplitude)
        return m_biezacyZakres;
    return m_record.isAnalogowy() ? m_biezacyZakresCzDO : m_biezacyZakresCzDN;
}

void DocumentSession::setCurrentRange(Characteristic characteristic, int k)
{
    if (characteristic == Characteristic::Amplitude)
        m_biezacyZakres = k;
    else
        (m_record.isAnalogowy() ? m_biezacyZakresCzDO : m_biezacyZakresCzDN) = k;
}

void DocumentSession::resetCurrentRanges()
{
    m_biezacyZakres = 1;
    m_biezacyZakresCzDN = 1;
    m_biezacyZakresCzDO = 1;
}

void DocumentSession::setExtension(const DocumentExtension &extension)
{
    if (extension == m_extension)
        return;
    replaceExtension(extension);
    setChanged();
}

void DocumentSession::replaceExtension(const DocumentExtension &extension)
{
    m_extension = extension;
    Q_EMIT extensionChanged();
}

void DocumentSession::tellDamagedExtension(bool damaged)
{
    // The record opens all the same; the user hears once, as it opens.
    if (damaged)
        m_prompts.show(DocumentExtension::damagedText(), QStringLiteral("Uwaga"),
                       PromptIcon::Warning);
}

void DocumentSession::setOpenArgument(const QString &fileName)
{
    m_openArgument = fileName;
    m_openArgumentFlag = !fileName.isEmpty();
}

QString DocumentSession::baseName(const QString &path)
{
    const qsizetype separator =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    if (separator >= 0)
        return path.mid(separator + 1);
    return path.mid(path.lastIndexOf(QLatin1Char(':')) + 1);
}

PromptButton DocumentSession::ask(const QString &text, const QString &caption)
{
    return m_prompts.show(text, caption, PromptIcon::Question,
                          PromptButton::Yes | PromptButton::No | PromptButton::Cancel);
}

void DocumentSession::recordView(ViewRule rule)
{
    Q_EMIT aboutToSave();
    const View view = shownView();
    if (view == View::Frequency)
        m_record.setWidokAmpl(false);
    else if (view == View::AmplitudeTable || rule == ViewRule::AmplitudeTab)
        m_record.setWidokAmpl(true);
}

QString DocumentSession::dialogFolder() const
{
    return m_folder.isEmpty() ? QDir::homePath() : m_folder;
}

void DocumentSession::rememberFolder(const QString &fileName)
{
    if (!fileName.isEmpty())
        m_folder = QFileInfo(fileName).absolutePath();
}

QString DocumentSession::askSaveName(const QString &proposal)
{
    QString name = m_prompts.saveFileName(fileRequest(
        dialogFolder(), QStringLiteral("[nazwa miernika].cal (*.cal);;[wszystkie pliki] (*.*)"),
        proposal));
    rememberFolder(name);
    return name;
}

QString DocumentSession::askOpenName()
{
    QString name = m_prompts.openFileName(
        fileRequest(dialogFolder(),
                    QStringLiteral("[nazwa miernika].cal (*.cal);;[wszystkie pliki]  (*.*)"), {}));
    rememberFolder(name);
    return name;
}

QString DocumentSession::documentPath() const
{
    return m_fileName == untitledName() ? m_fileName : QFileInfo(m_fileName).absoluteFilePath();
}

QString DocumentSession::nazwaProposal() const
{
    return (m_record.Nazwa() + QStringLiteral(".cal")).left(34);
}

void DocumentSession::writeRecord(const QString &fileName)
{
    // Throws before anything changes: the flag and the name stay as they
    // were when the write fails.
    DocumentFile::write(m_record, m_extension, fileName);
    m_fileName = fileName;
    rememberFolder(fileName);
    setSaved(true);
    Q_EMIT documentWritten(fileName);
    recordVerification(fileName);
}

void DocumentSession::recordVerification(const QString &fileName)
{
    if (!m_recorder)
        return;
    QString reason;
    try {
        m_recorder->documentSaved(fileName);
        return;
    } catch (const ProgramError &error) {
        reason = error.detail().isEmpty()
                     ? error.message()
                     : error.message() + QStringLiteral(" (") + error.detail() + QLatin1Char(')');
    } catch (const std::exception &error) {
        reason = QString::fromLocal8Bit(error.what());
    }
    // Once in a session: a register that is down stays down for a while,
    // and every save would say so again.
    if (m_recorderFailureShown)
        return;
    m_recorderFailureShown = true;
    m_prompts.show(QStringLiteral("Dokument został zapisany, ale rejestr mierników nie został "
                                  "uzupełniony:\n%1\n\nRejestr uzupełni następny zapis albo "
                                  "polecenie „orvane707-cal register scan”.")
                       .arg(reason),
                   QStringLiteral("Rejestr mierników"), PromptIcon::Warning);
}

void DocumentSession::writeDocument(const QString &fileName)
{
    writeRecord(fileName);
    m_recent.add(fileName);
    Q_EMIT recentFilesChanged();
}

void DocumentSession::discardDocument()
{
    Q_EMIT aboutToCloseDocument();
    m_record.clear();
    replaceExtension({});
    setSaved(true);
    m_hasDocument = false;
    m_display.showNoDocument({MenuItem::Excel, MenuItem::Zapisz, MenuItem::ZapiszJako,
                              MenuItem::Pomiary, MenuItem::DaneMiernika});
    Q_EMIT documentClosed();
    // The cleared record's view, as showing a document restores it.
    Q_EMIT viewRestoreRequested(m_record.WidokAmpl());
    m_display.publish();
}

void DocumentSession::showDocument()
{
    resetCurrentRanges();
    Q_EMIT viewRestoreRequested(m_record.WidokAmpl());
    m_display.showTablePanel(true);
    m_display.showMeter(m_record);
    m_hasDocument = true;
    m_display.enable({MenuItem::Excel, MenuItem::Zapisz, MenuItem::ZapiszJako, MenuItem::Pomiary,
                      MenuItem::DaneMiernika, MenuItem::Zamknij, MenuItem::Drukuj},
                     true);
    m_display.showFileName(m_fileName);
    Q_EMIT documentLoaded();
    m_display.publish();
}

void DocumentSession::openFile(const QString &fileName)
{
    // Read whole into a scratch record before anything goes: a file that
    // fails to load, or is no document at all, leaves the open document as
    // it was.
    const DocumentFile::StoredDocument loaded = DocumentFile::load(fileName);
    discardDocument();
    m_record = loaded.record;
    replaceExtension(loaded.extension);
    m_fileName = fileName;
    rememberFolder(fileName);
    showDocument();
    m_recent.add(fileName);
    Q_EMIT recentFilesChanged();
    setSaved(true);
    tellDamagedExtension(loaded.extensionDamaged);
}

bool DocumentSession::saveOrDiscard(const QString &caption,
                                    void (DocumentSession::*write)(const QString &))
{
    switch (ask(QStringLiteral("Zapisać zmiany?"), caption)) {
    case PromptButton::Yes: {
        // The file the user opened, so that Enter writes over it.
        const QString name = askSaveName(documentPath());
        if (name.isEmpty())
            return false;
        (this->*write)(name);
        discardDocument();
        return true;
    }
    case PromptButton::No:
        discardDocument();
        return true;
    default:
        return false;
    }
}

void DocumentSession::newDocument()
{
    // An edit under way is part of the document the question is about.
    Q_EMIT aboutToSave();
    if (!m_saved) {
        recordView(ViewRule::TablePageOnly);
        // Cancelling the save keeps the document: nothing unsaved is thrown
        // away without being asked.
        if (!saveOrDiscard(QStringLiteral("Uwaga!"), &DocumentSession::writeRecord))
            return;
    } else {
        discardDocument();
    }
    m_display.showTablePanel(false);
    m_display.publish();

    if (!m_meterDialog || !m_meterDialog(true))
        return;
    replaceExtension(UncertaintySettings::load().newDocumentExtension());
    Q_EMIT viewRestoreRequested(true);
    m_display.showTablePanel(true);
    m_display.enable({MenuItem::Zamknij, MenuItem::Drukuj}, true);
    m_display.showMeter(m_record);
    m_display.enable(
        {MenuItem::Excel, MenuItem::Zapisz, MenuItem::ZapiszJako, MenuItem::DaneMiernika}, true);
    m_fileName = untitledName();
    m_display.showFileName(m_fileName);
    m_hasDocument = true;
    resetCurrentRanges();
    setSaved(true);
    Q_EMIT documentCreated();
    m_display.publish();
}

bool DocumentSession::saveBeforeOpening()
{
    recordView(ViewRule::TablePageOnly);
    if (m_fileName != untitledName()) {
        writeDocument(m_fileName);
        return true;
    }
    const QString name = askSaveName(nazwaProposal());
    if (name.isEmpty())
        return false;
    writeDocument(name);
    return true;
}

void DocumentSession::openDocument()
{
    Q_EMIT aboutToSave();
    if (!m_saved) {
        switch (ask(QStringLiteral("Poprzednie dane nie zostały zapisane. Zapisać ?"),
                    QStringLiteral("Uwaga"))) {
        case PromptButton::Yes:
            // A cancelled save cancels the opening too.
            if (!saveBeforeOpening())
                return;
            discardDocument();
            break;
        case PromptButton::No:
            break;
        default:
            return;
        }
    }
    const QString name = askOpenName();
    if (name.isEmpty())
        return;
    openFile(name);
}

void DocumentSession::openRecent(int k)
{
    // Taken before a save can reorder the list.
    const QString name = m_recent.entry(k);
    if (name.isEmpty())
        return;
    Q_EMIT aboutToSave();
    if (!m_saved) {
        switch (ask(QStringLiteral("Poprzednie dane nie zostały zapisane. Zapisać ?"),
                    QStringLiteral("Uwaga"))) {
        case PromptButton::Yes:
            if (!saveBeforeOpening())
                return;
            break;
        case PromptButton::No:
            break;
        default:
            return;
        }
    }
    openFile(name);
}

void DocumentSession::save()
{
    recordView(ViewRule::TablePageOnly);
    if (m_fileName != untitledName()) {
        writeDocument(m_fileName);
    } else {
        const QString name = askSaveName(nazwaProposal());
        if (name.isEmpty())
            return;
        writeDocument(name);
    }
    m_display.showFileName(m_fileName);
    m_display.publish();
}

void DocumentSession::saveAs()
{
    recordView(ViewRule::AmplitudeTab);
    const QString name = askSaveName(baseName(m_fileName));
    if (name.isEmpty())
        return;
    writeDocument(name);
    m_display.showFileName(m_fileName);
    m_display.publish();
}

void DocumentSession::closeDocument()
{
    recordView(ViewRule::AmplitudeTab);
    if (!m_saved) {
        // Cancel, here or in the save dialog, leaves the window exactly as
        // it was, document shown.
        if (!saveOrDiscard(QStringLiteral("Uwaga"), &DocumentSession::writeDocument))
            return;
    } else {
        discardDocument();
    }
    m_display.enable({MenuItem::Zapisz, MenuItem::ZapiszJako, MenuItem::Drukuj, MenuItem::Zamknij},
                     false);
    m_display.showTablePanel(false);
    m_display.publish();
}

void DocumentSession::editMeterData()
{
    const QByteArray before = m_record.toBytes().left(84);
    const bool accepted = m_meterDialog && m_meterDialog(false);
    // A corrected name or number is a change like any other: without this
    // it would be lost on closing without a question.
    if (accepted && m_record.toBytes().left(84) != before)
        setChanged();
    m_display.showMeter(m_record);
    m_display.publish();
}

bool DocumentSession::queryClose()
{
    recordView(ViewRule::AmplitudeTab);
    // Whatever the answer, and after a failed write too.
    const auto saveRecentFiles = qScopeGuard([this] { m_recent.save(m_recentIniFile); });
    bool mayClose = true;
    if (!m_saved) {
        switch (ask(QStringLiteral("Zapisać zmiany w pliku ?"), QStringLiteral("Uwaga !"))) {
        case PromptButton::Yes:
            if (m_fileName != untitledName()) {
                writeRecord(m_fileName);
            } else {
                const QString name = askSaveName(nazwaProposal());
                if (name.isEmpty())
                    mayClose = false;
                else
                    writeDocument(name);
            }
            break;
        case PromptButton::No:
            break;
        default:
            mayClose = false;
            break;
        }
    }

    if (mayClose) {
        Q_EMIT aboutToCloseDocument();
        m_record.clear();
        replaceExtension({});
        m_hasDocument = false;
        m_display.showNoDocument({MenuItem::DaneMiernika, MenuItem::Excel, MenuItem::Zapisz,
                                  MenuItem::ZapiszJako, MenuItem::Drukuj, MenuItem::Zamknij,
                                  MenuItem::Pomiary});
        setSaved(true);
        Q_EMIT documentClosed();
        m_display.publish();
    }
    return mayClose;
}

void DocumentSession::activate()
{
    m_recent.load(m_recentIniFile);
    Q_EMIT recentFilesChanged();
    if (!m_openArgumentFlag)
        return;
    m_openArgumentFlag = false;
    Q_EMIT splashCloseRequested();
    const DocumentFile::StoredDocument loaded = DocumentFile::load(m_openArgument);
    m_record = loaded.record;
    replaceExtension(loaded.extension);
    m_fileName = m_openArgument;
    rememberFolder(m_fileName);
    showDocument();
    setSaved(true);
    tellDamagedExtension(loaded.extensionDamaged);
}
