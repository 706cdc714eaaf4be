#pragma once

#include "core/document/documentextension.h"
#include "core/document/tdanesprawdzania.h"

#include <QByteArray>

// The record as UTF-8 JSON, keyed by its field names, for scripting an
// archive of documents. Every range and point slot is written (35 of each);
// numbers are written in the shortest form that reads back as exactly the
// stored value, so a record written out and read back is the same record.
namespace DocumentJson {

QByteArray toJson(const TDaneSprawdzania &record);
// With the document's extension data under the key "extension", when it has
// any.
QByteArray toJson(const TDaneSprawdzania &record, const DocumentExtension &extension);

// The inverse: missing keys are zero or empty. Throws EConvertError for text
// that is not such a document and EOverflowError for a number too large for
// the file; the message names the field. The extension data, from the key
// "extension", go where extension points.
TDaneSprawdzania fromJson(const QByteArray &json, DocumentExtension *extension = nullptr);

// The shortest decimal text of a stored number that reads back as it.
QByteArray numberText(long double value);

} // namespace DocumentJson
