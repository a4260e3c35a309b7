#include "GbkCodec.h"

#include "GbkSystem.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char* const Name = "GBK";
bool systemConverterForced = false;

bool UseQt() {
    static const bool qtHasGbk = QStringDecoder(Name).isValid();
    return qtHasGbk && !systemConverterForced;
}

bool IsPrivateUse(QChar c) {
    return c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF;
}

QString DecodeWithQt(const QByteArray& bytes) {
    // A character cut off at the end would be held back for more input and vanish; a CR behind
    // it makes the decoder turn it into U+FFFD. The CR itself always decodes to one CR.
    QStringDecoder decoder(Name);
    QString text = decoder.decode(bytes + '\r');
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

QByteArray EncodeWithQt(const QString& text) {
    QStringEncoder encoder(Name);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    // Qt writes '?' for most characters it cannot encode but silently leaves out invisible ones
    // (soft hyphen, zero-width joiner, byte-order mark …): one character at a time, each shows.
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1; // no lone surrogates here
        const QByteArray one = encoder.encode(QStringView(text).sliced(i, length));
        bytes += one.isEmpty() ? QByteArray("?") : one;
        i += length;
    }
    return bytes;
}

// Characters no GBK converter should see: lone surrogates, which Qt would drop, and private-use
// characters, which Qt would write into GBK's user-defined areas that decoding rejects.
QString WithoutUnencodable(const QString& text) {
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (c.isHighSurrogate() && i + 1 < result.size() && result.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate() || IsPrivateUse(c))
            result[i] = QLatin1Char('?');
    }
    return result;
}

} // namespace

namespace GbkCodec {

bool Available() {
    return UseQt() || GbkSystem::Available();
}

QString Decode(const QByteArray& bytes) {
    QString text = UseQt() ? DecodeWithQt(bytes) : GbkSystem::Decode(bytes);
    // GBK's user-defined areas, and the byte 0xFF, come out of Qt's converter (and Windows') as
    // private-use characters; they are no text.
    for (QChar& c : text)
        if (IsPrivateUse(c))
            c = QChar::ReplacementCharacter;
    return text;
}

QByteArray Encode(const QString& text) {
    const QString encodable = WithoutUnencodable(text);
    return UseQt() ? EncodeWithQt(encodable) : GbkSystem::Encode(encodable);
}

void UseSystemConverter(bool use) {
    systemConverterForced = use;
}

} // namespace GbkCodec
