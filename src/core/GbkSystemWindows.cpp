#include "GbkSystem.h"

#include <windows.h>

namespace {

constexpr UINT Gbk = 936;

bool IsLeadByte(uchar byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
bool IsTrailByte(uchar byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

} // namespace

namespace GbkSystem {

bool Available() {
    return IsValidCodePage(Gbk);
}

QString Decode(const QByteArray& bytes) {
    // Character by character: on a broken sequence the system's converter may take the next byte
    // along, or write '?'. A lead byte with a byte of the trail range is one character, valid or
    // not; any other byte goes alone, so an ASCII byte after a broken character is kept.
    QString text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const auto byte = uchar(bytes[i]);
        const int length =
            i + 1 < bytes.size() && IsLeadByte(byte) && IsTrailByte(uchar(bytes[i + 1])) ? 2 : 1;
        wchar_t wide[2] = {};
        const bool one = byte < 0x80 ? (wide[0] = byte, true)
                                     : MultiByteToWideChar(Gbk, MB_ERR_INVALID_CHARS, bytes.constData() + i,
                                                           length, wide, 2) == 1;
        text += one ? QChar(wide[0]) : QChar::ReplacementCharacter;
        i += length;
    }
    return text;
}

QByteArray Encode(const QString& input) {
    // GBK holds no character beyond the 16-bit range; the system would write one '?' per half.
    QString text = input;
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate())
            text.replace(i, 2, QLatin1Char('?'));
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size =
        WideCharToMultiByte(Gbk, WC_NO_BEST_FIT_CHARS, wide, int(text.size()), nullptr, 0, "?", nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(Gbk, WC_NO_BEST_FIT_CHARS, wide, int(text.size()), bytes.data(), size, "?", nullptr);
    return bytes;
}

} // namespace GbkSystem
