#pragma once

#include "core/base/errors.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// The new contents of a file, written beside it and put in its place only
// once all of them are on the disk. Documents, reports and workbooks are all
// written through it, so that a full disk, a folder the user cannot write to
// or a killed program leaves the previous file exactly as it was.
//
// - Only a regular file is replaced. A FIFO, a device, a socket or a folder
//   at the name is refused with the reason, and so is a read-only file.
// - A symbolic link is followed: the file it points to is replaced and the
//   link stays.
// - The file replaced keeps its permissions; a new one gets 0666 less the
//   umask.
// - The contents go to a temporary file in the target's folder that nobody
//   else can have made or linked: an unnamed one (O_TMPFILE) where the file
//   system allows it, which vanishes with the program if it is killed; else
//   ".NAME.<random>.part", created exclusively with mode 0600.
// - Such named temporaries of the same target left by an earlier save that
//   was killed are removed first, so at most one can ever be left.
//
// Every failure throws EInOutError "Nie można zapisać pliku NAME." with the
// system's reason ("No space left on device") as its detail.
class OutputFile
{
public:
    // Looks at the target and makes the temporary.
    explicit OutputFile(const QString &fileName);
    // Removes the temporary unless it was committed.
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    void write(const QByteArray &bytes);
    // A path a library that opens files itself writes the temporary under.
    QByteArray temporaryPath() const;
    // Syncs the temporary and renames it over the target.
    void commit();

    // The error for a failure the writer found itself.
    EInOutError failure(const QString &reason) const;

    // Writes the whole file at once.
    static void replace(const QString &fileName, const QByteArray &bytes);

    // Refuses an output that is the input file, under whatever name: writing
    // it would destroy what is being read.
    static void refuseInput(const QString &input, const QString &output);

private:
    void removeStaleTemporaries() const;
    void createTemporary();
    QByteArray temporaryName() const;

    QString m_fileName;
    QByteArray m_target;
    QByteArray m_folder;
    QByteArray m_prefix; // ".NAME."
    bool m_exists = false;
    mode_t m_mode = 0;
    uid_t m_owner = 0;
    gid_t m_group = 0;
    bool m_unnamed = false;
    int m_fd = -1;
    // The temporary's name while it has one.
    QByteArray m_temporary;
};
