#pragma once

#include <QByteArray>
#include <QString>

// Text in GBK (code page 936), the ANSI code page of the Simplified-Chinese systems the history file
// is written for. Qt's converter is used where Qt has one (a Qt built with ICU), the system's
// otherwise; both give the same results:
// - decoding, every byte sequence that is no GBK character becomes U+FFFD: invalid bytes, a
//   character cut off at the end, and GBK's user-defined areas, which have no meaning in Unicode;
// - encoding, every character GBK cannot hold becomes one '?': unencodable characters, invisible
//   format characters, lone surrogates and private-use characters.
namespace GbkCodec {

// False when neither Qt nor the system can convert GBK.
bool Available();
QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);

// For tests: use the system's converter even where Qt's is available.
void UseSystemConverter(bool use);

} // namespace GbkCodec
