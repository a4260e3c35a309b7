#include "GbkSystem.h"

#include <windows.h>

namespace {

constexpr UINT Gbk = 936;

} // namespace

namespace GbkSystem {

bool Available() {
    return IsValidCodePage(Gbk);
}

QString Decode(const QByteArray& bytes) {
    const int size = MultiByteToWideChar(Gbk, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(Gbk, 0, bytes.constData(), int(bytes.size()), reinterpret_cast<wchar_t*>(text.data()),
                        size);
    return text;
}

QByteArray Encode(const QString& text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int size =
        WideCharToMultiByte(Gbk, WC_NO_BEST_FIT_CHARS, wide, int(text.size()), nullptr, 0, "?", nullptr);
    QByteArray bytes(size, Qt::Uninitialized);
    WideCharToMultiByte(Gbk, WC_NO_BEST_FIT_CHARS, wide, int(text.size()), bytes.data(), size, "?", nullptr);
    return bytes;
}

} // namespace GbkSystem
