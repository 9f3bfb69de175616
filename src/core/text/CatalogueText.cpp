#include "core/text/CatalogueText.h"

#include <array>

namespace catalogue {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the C1
// control characters of the same value, as Windows itself maps them, so they round-trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

std::optional<char> byteFor(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == u)
            return char(0x80 + i);
    }
    return std::nullopt;
}

QChar decodedByte(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    return (b >= 0x80 && b <= 0x9F) ? QChar(kHighControls[b - 0x80]) : QChar(b);
}

} // namespace

QString decodeCatalogueText(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = decodedByte(byte);
    return text;
}

void appendCatalogueText(QString &text, QByteArrayView bytes)
{
    const qsizetype start = text.size();
    text.resize(start + bytes.size());
    QChar *out = text.data() + start;
    for (const char byte : bytes)
        *out++ = decodedByte(byte);
}

std::optional<QByteArray> encodeCatalogueText(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const auto byte = byteFor(c);
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

bool isCatalogueText(const QString &text)
{
    for (const QChar c : text) {
        if (!byteFor(c))
            return false;
    }
    return true;
}

QString charactersOutsideCatalogue(const QString &text)
{
    QString outside;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString character(text.at(i));
        // Keep a surrogate pair together, so the message shows the character itself.
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            character.append(text.at(++i));
        if (!isCatalogueText(character) && !outside.contains(character))
            outside.append(character);
    }
    return outside;
}

} // namespace catalogue
