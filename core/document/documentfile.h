#pragma once

#include "tdanesprawdzania.h"

#include <QByteArray>
#include <QString>

// Reading and writing .cal documents. A document file is the record's byte
// image and nothing else. Files shorter than the record are documents of the
// older layout (a header and seven amplitude ranges of ten points), which are
// converted on reading and never written.
//
// Every failure throws EInOutError whose message names the file and the
// reason; a failed read returns nothing, so the caller's record is never left
// half filled, and a failed write leaves the previous file as it was.
namespace DocumentFile {

// Size of the older layout's image.
constexpr int LegacySize = 84 + 7 * 432;

TDaneSprawdzania read(const QString &fileName);

// A document from the bytes of a file. At least a record's worth of bytes is
// a current document (bytes after the record are ignored); anything shorter
// is read as the older layout. fileName only goes into error messages.
TDaneSprawdzania parse(const QByteArray &contents, const QString &fileName = {});

// Converts an image of the older layout.
TDaneSprawdzania convertLegacy(const QByteArray &contents, const QString &fileName = {});

// Writes the 160804 bytes to a temporary file beside the target and renames
// it over the target only when everything was written.
void write(const TDaneSprawdzania &record, const QString &fileName);

} // namespace DocumentFile
