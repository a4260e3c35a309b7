#pragma once

#include <QByteArray>
#include <QString>

// The operating system's own GBK conversion, for a Qt built without ICU: iconv on Unix-like
// systems, code page 936 on Windows. GbkCodec evens out what it returns.
namespace GbkSystem {

bool Available();
// An invalid or cut-off byte sequence becomes U+FFFD.
QString Decode(const QByteArray& bytes);
// A character that has no GBK code becomes '?'.
QByteArray Encode(const QString& text);

} // namespace GbkSystem
