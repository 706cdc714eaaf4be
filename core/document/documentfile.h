#pragma once

#include "core/document/documentextension.h"
#include "core/document/tdanesprawdzania.h"

#include <QByteArray>
#include <QString>

// Reading and writing .cal documents. A document file is the record's byte
// image, followed by the block of its extension data when it has any
// (DocumentExtension). Files shorter than the record are documents of the
// older layout (a header and seven amplitude ranges of ten points), which are
// converted on reading and never written.
//
// Every failure throws EInOutError with the reason as its detail; a failed
// read returns nothing, so the caller's record is never left half filled, and
// a failed write leaves the previous file as it was. Only regular files are
// read or replaced. A file that cannot be a document (a length byte beyond
// its field, an unknown Typ, or a size between the two layouts') is refused
// with "Plik nie jest dokumentem sprawdzania miernika." and the file and the
// reason as detail.
namespace DocumentFile {

// The older layout: the header of the current record, then seven range slots
// of 432 bytes.
constexpr int LegacySlots = 7;
constexpr int LegacySlotSize = 432;
// Size of the older layout's image.
constexpr int LegacySize = RecordLayout::ZakresyAmplOffset + LegacySlots * LegacySlotSize;

// A document as its file holds it: the record and its extension data.
struct StoredDocument
{
    TDaneSprawdzania record;
    DocumentExtension extension;
    // The file has a block that is no good: it was left out, and the user
    // is to be told (DocumentExtension::damagedText()).
    bool extensionDamaged = false;
};

// The record and whatever follows it: at most the block's size limit of it
// is read, and bytes that are no block are ignored.
StoredDocument load(const QString &fileName);
// The record alone.
TDaneSprawdzania read(const QString &fileName);

// A document from the bytes of a file. At least a record's worth of bytes is
// a current document (bytes after the record are ignored); anything shorter
// is read as the older layout. fileName only goes into error messages.
TDaneSprawdzania parse(const QByteArray &contents, const QString &fileName = {});
// The same with the extension data the bytes after the record hold.
StoredDocument parseStored(const QByteArray &contents, const QString &fileName = {});

// Converts an image of the older layout (at most LegacySize bytes).
TDaneSprawdzania convertLegacy(const QByteArray &contents, const QString &fileName = {});

// Writes the 160804 bytes and the extension's block, when it has one, as
// every output of the program is written (OutputFile): whole, or not at
// all.
void write(const TDaneSprawdzania &record, const DocumentExtension &extension,
           const QString &fileName);
// A document without extension data.
void write(const TDaneSprawdzania &record, const QString &fileName);

// A save that meets the file size limit (ulimit -f) must fail like a full
// disk and leave the old file, not end the program with SIGXFSZ. Both
// programs call this at start.
void ignoreFileSizeSignal();

} // namespace DocumentFile
