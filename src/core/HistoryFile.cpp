#include "HistoryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace HistoryFile {

namespace {

// The file is in the ANSI code page of the Simplified-Chinese systems the program is made for.
const char* const FileEncoding = "GBK";

const QString EncodingMissing = QStringLiteral("the GBK text encoding is not available");

QString DecodeLine(const QByteArray& bytes) {
    // A character cut off at the end of the bytes would vanish silently; a CR behind it makes the
    // decoder turn it into a replacement character. The CR itself always decodes to one CR.
    QStringDecoder decoder(FileEncoding);
    QString text = decoder.decode(bytes + '\r');
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

} // namespace

QString PathIn(const QString& directory) {
    if (directory.isEmpty())
        return FileName;
    const QString dir = QDir::fromNativeSeparators(directory);
    // A network share ("//server/share") keeps the pair that starts it.
    const bool networkShare =
        dir.startsWith(QLatin1String("//")) && dir.size() > 2 && dir[2] != QLatin1Char('/');
    const qsizetype kept = networkShare ? 2 : 0;
    QString rest = dir.mid(kept) + QLatin1Char('/') + FileName;
    // A root directory already ends in a separator; this also removes doubles elsewhere.
    rest.replace(QLatin1String("//"), QLatin1String("/"));
    return dir.left(kept) + rest;
}

LoadResult Load(const QString& path) {
    LoadResult result;
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    result.exists = true;
    // Something else in the file's place would otherwise hide the history without a word, and
    // opening a pipe would wait for a writer.
    if (info.isDir()) {
        result.error = QStringLiteral("该位置是一个文件夹，不是文件");
        return result;
    }
    if (!info.isFile()) {
        result.error = QStringLiteral("该位置不是普通文件");
        return result;
    }
    if (!QStringDecoder(FileEncoding).isValid()) {
        result.error = EncodingMissing;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    // Enough for eight lines of the longest length kept, each with CR LF; no more, so a huge file
    // or one without line ends cannot stall the start.
    const QByteArray bytes = file.read(History::SlotCount * (ReadLimit + 2));
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    result.lines = Decode(bytes);
    return result;
}

QString Save(const QString& path, const History::Slots& texts) {
    if (!QStringEncoder(FileEncoding).isValid())
        return EncodingMissing;
    // Written beside the old file and renamed over it only when complete. Unbuffered, because a
    // buffered short write (a full disk) can be dropped without an error and the cut-off file
    // committed; written directly, a short write shows and the next write reports the reason.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const QByteArray bytes = Encode(texts);
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        written += count;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QByteArray Encode(const History::Slots& texts) {
    QStringEncoder encoder(FileEncoding);
    QByteArray bytes;
    for (const QString& text : texts) {
        bytes += encoder.encode(text);
        bytes += "\r\n";
    }
    return bytes;
}

QStringList Decode(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size() && lines.size() < History::SlotCount) {
        const qsizetype cr = bytes.indexOf('\r', start);
        const qsizetype end = cr < 0 ? bytes.size() : cr;
        lines << DecodeLine(bytes.sliced(start, qMin(end - start, ReadLimit)));
        start = end + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace HistoryFile
