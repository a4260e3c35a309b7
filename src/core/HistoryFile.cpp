#include "HistoryFile.h"

#include "GbkCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace HistoryFile {

namespace {

const QString EncodingMissing = QStringLiteral("系统不支持 GBK 编码");
const QString IsFolder = QStringLiteral("该位置是一个文件夹，不是文件");

// The reasons a user can act on, in Chinese; any other keeps the system's words. Qt words a few
// reasons itself, on every system, and takes the rest from the C library's errno texts on POSIX
// systems; Windows words its own, already in the user's language, which those never match.
QString InChinese(const QString& reason) {
    const auto qt = [](const char* text) { return QCoreApplication::translate("QIODevice", text); };
    const auto c = [](int code) { return QString::fromLocal8Bit(std::strerror(code)); };
    const std::pair<QString, QString> known[] = {
        {qt("Permission denied"), QStringLiteral("没有权限")},
        {c(EPERM), QStringLiteral("没有权限")},
        {qt("No space left on device"), QStringLiteral("磁盘已满")},
        {c(EROFS), QStringLiteral("文件系统是只读的")},
        {qt("No such file or directory"), QStringLiteral("文件或文件夹不存在")},
    };
    for (const auto& [system, chinese] : known)
        if (reason == system)
            return chinese;
    return reason;
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
        result.error = IsFolder;
        return result;
    }
    if (!info.isFile()) {
        result.error = QStringLiteral("该位置不是普通文件");
        return result;
    }
    if (!GbkCodec::Available()) {
        result.error = EncodingMissing;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = InChinese(file.errorString());
        return result;
    }
    // Enough for eight lines of the longest length kept, each with CR LF; no more, so a huge file
    // or one without line ends cannot stall the start.
    const QByteArray bytes = file.read(History::SlotCount * (ReadLimit + 2));
    if (file.error() != QFileDevice::NoError) {
        result.error = InChinese(file.errorString());
        return result;
    }
    result.lines = Decode(bytes, &result.carriedWhole);
    result.carriedWhole = result.carriedWhole && file.atEnd();
    return result;
}

QString Save(const QString& path, const History::Slots& texts) {
    if (!GbkCodec::Available())
        return EncodingMissing;
    // QSaveFile refuses these two with texts of its own, which name no reason.
    const QFileInfo info(path);
    if (info.isDir())
        return IsFolder;
    if (info.exists() && !info.isWritable()) {
        // Opening to append changes nothing, and the system says why it cannot be written.
        QFile existing(path);
        if (!existing.open(QIODevice::WriteOnly | QIODevice::Append))
            return InChinese(existing.errorString());
    }
    // Written beside the old file and renamed over it only when complete. Unbuffered, because a
    // buffered short write (a full disk) can be dropped without an error and the cut-off file
    // committed; written directly, a short write shows and the next write reports the reason.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return InChinese(file.errorString());
    const QByteArray bytes = Encode(texts);
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) {
            const QString reason = InChinese(file.errorString());
            file.cancelWriting();
            return reason;
        }
        written += count;
    }
    if (!file.commit())
        return InChinese(file.errorString());
    return {};
}

QByteArray Encode(const History::Slots& texts) {
    QByteArray bytes;
    for (const QString& text : texts)
        bytes += GbkCodec::Encode(text) + "\r\n";
    return bytes;
}

QStringList Decode(const QByteArray& bytes, bool* whole) {
    QStringList lines;
    bool keptAll = true;
    qsizetype start = 0;
    while (start < bytes.size() && lines.size() < History::SlotCount) {
        const qsizetype cr = bytes.indexOf('\r', start);
        const qsizetype end = cr < 0 ? bytes.size() : cr;
        const QByteArray line = bytes.sliced(start, qMin(end - start, ReadLimit));
        lines << GbkCodec::Decode(line);
        // Encoding the text back gives other bytes where a byte was no GBK character.
        keptAll = keptAll && end - start <= ReadLimit && GbkCodec::Encode(lines.last()) == line;
        start = end + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    if (whole)
        *whole = keptAll && start >= bytes.size();
    return lines;
}

QString KeptCopyPath(const QString& path) {
    return path + QStringLiteral(".bak");
}

QString KeepOldFile(const QString& path) {
    if (!QFileInfo(path).isFile()) // gone meanwhile: nothing left to keep
        return {};
    const QString kept = KeptCopyPath(path);
    QFile::remove(kept);
    QFile file(path);
    if (!file.copy(kept))
        return InChinese(file.errorString());
    return {};
}

} // namespace HistoryFile
