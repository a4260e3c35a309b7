#include "GbkSystem.h"

#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

const char* const Gbk = "GBK";
const char* const Utf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// Converts all of `input`; where iconv stops at a sequence it cannot convert, writes `substitute`
// and passes over the `skip(at, left)` bytes of that sequence.
template <typename Skip>
QByteArray Convert(const char* to, const char* from, const QByteArray& input, const QByteArray& substitute,
                   Skip skip) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == iconv_t(-1))
        return {};
    QByteArray output;
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = size_t(input.size());
    while (inLeft > 0) {
        char buffer[4096];
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const int stop = iconv(converter, &in, &inLeft, &out, &outLeft) == size_t(-1) ? errno : 0;
        output.append(buffer, out - buffer);
        if (stop == 0 || stop == E2BIG)
            continue;
        // EINVAL: a sequence cut off at the end; EILSEQ: one that cannot be converted.
        const size_t passed = stop == EINVAL ? inLeft : std::min(inLeft, skip(in, inLeft));
        output += substitute;
        in += passed;
        inLeft -= passed;
    }
    iconv_close(converter);
    return output;
}

} // namespace

namespace GbkSystem {

bool Available() {
    const iconv_t converter = iconv_open(Utf16, Gbk);
    if (converter == iconv_t(-1))
        return false;
    iconv_close(converter);
    return true;
}

QString Decode(const QByteArray& bytes) {
    static const QChar replacement = QChar::ReplacementCharacter;
    const QByteArray substitute(reinterpret_cast<const char*>(&replacement), sizeof replacement);
    // A lead byte with a byte of the trail range is one unassigned character, as Qt reads it; any
    // other invalid byte goes alone, so an ASCII byte after a broken character is kept.
    const QByteArray utf16 =
        Convert(Utf16, Gbk, bytes, substitute, [](const char* at, size_t left) -> size_t {
            return left > 1 && IsLeadByte(at[0]) && IsTrailByte(at[1]) ? 2 : 1;
        });
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}

QByteArray Encode(const QString& text) {
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return Convert(Gbk, Utf16, utf16, "?", [](const char* at, size_t left) -> size_t {
        const auto* unit = reinterpret_cast<const char16_t*>(at);
        return left >= 4 && QChar::isHighSurrogate(unit[0]) && QChar::isLowSurrogate(unit[1]) ? 4 : 2;
    });
}

} // namespace GbkSystem
