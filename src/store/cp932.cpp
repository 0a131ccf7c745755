#include "store/cp932.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <cstdint>

namespace store {
namespace {

constexpr const char* kCodec = "Shift_JIS";

// CP932 width of every BMP code unit: 1 or 2, 0 when it has no CP932 form.
// Built once; a fresh encoder per character keeps hasError() reliable.
const std::array<std::uint8_t, 65536>& Width_Table()
{
    static const std::array<std::uint8_t, 65536> table = [] {
        std::array<std::uint8_t, 65536> t{};
        for (int u = 0; u < 65536; ++u) {
            if (u < 0x80) {
                t[u] = 1;
                continue;
            }
            if (u >= 0xD800 && u <= 0xDFFF) {
                t[u] = 0;
                continue;
            }
            QStringEncoder encoder(kCodec);
            const QChar c(static_cast<char16_t>(u));
            const QByteArray bytes = encoder.encode(QStringView(&c, 1));
            t[u] = encoder.hasError() ? 0 : static_cast<std::uint8_t>(bytes.size());
        }
        return t;
    }();
    return table;
}

}  // namespace

int Byte_Width(QChar c)
{
    const int w = Width_Table()[c.unicode()];
    return w == 0 ? 1 : w;
}

int Byte_Width(const QString& text)
{
    int total = 0;
    for (QChar c : text)
        total += Byte_Width(c);
    return total;
}

QString First_Unencodable(const QString& text)
{
    const auto& table = Width_Table();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (table[c.unicode()] != 0)
            continue;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            return text.mid(i, 2);
        return QString(c);
    }
    return {};
}

QString Unencodable_Message(const QString& character)
{
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character.at(0), character.at(1))
                                                : char32_t(character.isEmpty() ? 0 : character.at(0).unicode());
    return QStringLiteral("文字「%1」(U+%2) は保存できません").arg(character).arg(
        QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

QString Decode_Cp932(const QByteArray& bytes)
{
    QStringDecoder decoder(kCodec);
    QString text = decoder.decode(bytes);
    // Undefined byte pairs decode as U+FFFD, single ones as U+001A; make both
    // U+001A so that a damaged line can still be written back by a rewrite.
    text.replace(QChar(0xFFFD), QChar(0x1A));
    return text;
}

Encoded Encode_Cp932(const QString& text)
{
    Encoded result;
    result.unencodable = First_Unencodable(text);
    if (!result.ok())
        return result;
    QStringEncoder encoder(kCodec);
    result.bytes = encoder.encode(text);
    return result;
}

Text_File Read_Text_Lines(const QString& path)
{
    Text_File result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.opened = true;
    const QString text = Decode_Cp932(file.readAll());
    if (text.isEmpty())
        return result;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        qsizetype stop = end;
        if (stop > start && text.at(stop - 1) == QLatin1Char('\r'))
            --stop;
        result.lines.append(text.mid(start, stop - start));
        start = end + 1;
    }
    return result;
}

Write_Result Encode_Lines(const QStringList& lines, QByteArray& out)
{
    out.clear();
    for (const QString& line : lines) {
        const Encoded encoded = Encode_Cp932(line);
        if (!encoded.ok())
            return {Unencodable_Message(encoded.unencodable)};
        out += encoded.bytes;
        out += "\r\n";
    }
    return {};
}

Write_Result Write_Text_Lines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    Write_Result encoded = Encode_Lines(lines, bytes);
    if (!encoded.ok())
        return encoded;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {QStringLiteral("%1 を作成できません: %2").arg(path, file.errorString())};
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = QStringLiteral("%1 に書き込めません: %2").arg(path, file.errorString());
        file.close();
        return {error};
    }
    return {};
}

Write_Result Replace_File_Atomically(const QString& path, const QString& temp_path, const QByteArray& bytes)
{
    QFile temp(temp_path);
    if (!temp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {QStringLiteral("%1 を作成できません: %2").arg(temp_path, temp.errorString())};
    const bool written = temp.write(bytes) == bytes.size() && temp.flush() && ::fsync(temp.handle()) == 0;
    const QString write_error = temp.errorString();
    temp.close();
    if (!written) {
        QFile::remove(temp_path);
        return {QStringLiteral("%1 に書き込めません: %2").arg(temp_path, write_error)};
    }
    if (::rename(QFile::encodeName(temp_path).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temp_path);
        return {QStringLiteral("%1 を置き換えられません: %2").arg(path, error)};
    }
    return {};
}

}  // namespace store
