#include "store/cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <cstdint>
#include <vector>

namespace store {
namespace {

constexpr const char* kCodec = "Shift_JIS";
constexpr char16_t kSubstitute = 0x1A;  // what bytes without a CP932 meaning decode to

bool Is_Lead_Byte(unsigned b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool Is_Trail_Byte(unsigned b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Table-driven CP932, built once from the platform's converter: every BMP code
// unit's bytes, and every single and double byte's character. Converting whole
// files through the tables is several times faster than the converter itself.
struct Cp932_Tables {
    std::array<std::uint16_t, 65536> code{};   // the character's bytes (high byte 0 for one byte)
    std::array<std::uint8_t, 65536> width{};   // 1 or 2; 0 = no CP932 form
    std::array<char16_t, 256> single{};        // decoded single bytes
    std::vector<char16_t> pairs = std::vector<char16_t>(256 * 256, kSubstitute);  // lead * 256 + trail

    Cp932_Tables()
    {
        for (unsigned b = 0; b < 256; ++b) {
            if (Is_Lead_Byte(b)) {
                single[b] = kSubstitute;
                for (unsigned t = 0x40; t <= 0xFC; ++t) {
                    const char pair[2] = {char(b), char(t)};
                    QStringDecoder decoder(kCodec);
                    const QString text = decoder.decode(QByteArrayView(pair, 2));
                    if (text.size() == 1 && text.at(0) != QChar(0xFFFD))
                        pairs[b * 256 + t] = text.at(0).unicode();
                }
                continue;
            }
            const char one = char(b);
            QStringDecoder decoder(kCodec);
            const QString text = decoder.decode(QByteArrayView(&one, 1));
            single[b] = (text.size() == 1 && text.at(0) != QChar(0xFFFD)) ? text.at(0).unicode() : kSubstitute;
        }
        // ASCII is itself in CP932 (the platform converter swaps a few control codes).
        for (int u = 0; u < 0x80; ++u) {
            width[u] = 1;
            code[u] = std::uint16_t(u);
        }
        // Only a character that some bytes decode to can be encoded; the
        // converter gives its canonical bytes (several pairs may decode to one character).
        std::vector<bool> decodable(65536, false);
        for (unsigned b = 0x80; b < 256; ++b)
            decodable[single[b]] = true;
        for (char16_t c : pairs)
            decodable[c] = true;
        for (int u = 0x80; u < 65536; ++u) {
            if (!decodable[u] || u == kSubstitute)
                continue;
            QStringEncoder encoder(kCodec);
            const QChar c(static_cast<char16_t>(u));
            const QByteArray bytes = encoder.encode(QStringView(&c, 1));
            if (encoder.hasError() || bytes.isEmpty() || bytes.size() > 2)
                continue;
            width[u] = static_cast<std::uint8_t>(bytes.size());
            code[u] = bytes.size() == 1 ? std::uint8_t(bytes[0])
                                        : std::uint16_t(std::uint8_t(bytes[0]) << 8 | std::uint8_t(bytes[1]));
        }
    }
};

const Cp932_Tables& Tables()
{
    static const Cp932_Tables tables;
    return tables;
}

const std::array<std::uint8_t, 65536>& Width_Table()
{
    return Tables().width;
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

QString To_Cp932_Counterparts(const QString& text)
{
    static constexpr char16_t kCounterparts[][2] = {
        {0x301C, 0xFF5E}, {0x2212, 0xFF0D}, {0x2016, 0x2225}, {0x2225, 0x2016}, {0x2014, 0x2015},
        {0x00A2, 0xFFE0}, {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}, {0x00A5, 0xFFE5},
    };
    const auto& width = Width_Table();
    QString mapped = text;
    for (QChar& c : mapped) {
        if (width[c.unicode()] != 0)
            continue;
        for (const auto& [from, to] : kCounterparts) {
            if (c.unicode() == from && width[to] != 0) {
                c = QChar(to);
                break;
            }
        }
    }
    return mapped;
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
    const Cp932_Tables& t = Tables();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype n = 0;
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned b = in[i];
        if (b < 0x80) {
            out[n++] = char16_t(b);
        } else if (Is_Lead_Byte(b) && i + 1 < bytes.size() && Is_Trail_Byte(in[i + 1])) {
            out[n++] = t.pairs[b * 256 + in[++i]];
        } else {  // a lead byte without its trail byte stands alone; the next byte is read anew
            out[n++] = Is_Lead_Byte(b) ? kSubstitute : t.single[b];
        }
    }
    text.truncate(n);
    return text;
}

Encoded Encode_Cp932(const QString& text)
{
    Encoded result;
    const Cp932_Tables& t = Tables();
    result.bytes.resize(text.size() * 2);
    char* out = result.bytes.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (t.width[u] == 0) {
            result.unencodable = First_Unencodable(text.mid(i));
            result.bytes.clear();
            return result;
        }
        if (t.width[u] == 2)
            out[n++] = char(t.code[u] >> 8);
        out[n++] = char(t.code[u] & 0xFF);
    }
    result.bytes.truncate(n);
    return result;
}

Text_File Read_Text_Lines(const QString& path)
{
    QFile file(path);
    Text_File failed;
    if (!file.open(QIODevice::ReadOnly)) {
        if (QFileInfo::exists(path))
            failed.error = QStringLiteral("%1 を読み込めません: %2").arg(path, file.errorString());
        return failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        failed.error = QStringLiteral("%1 を読み込めません: %2").arg(path, file.errorString());
        return failed;
    }
    Text_File result = Split_Text_Lines(bytes);
    result.opened = true;
    return result;
}

Text_File Split_Text_Lines(const QByteArray& bytes)
{
    // Neither CR nor LF is ever the second byte of a character: splitting the
    // bytes first decodes exactly as decoding the whole file would.
    Text_File result;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes.at(stop - 1) == '\r')
            --stop;
        result.raw_lines.append(bytes.mid(start, stop - start));
        result.lines.append(Decode_Cp932(result.raw_lines.back()));
        start = end + 1;
    }
    return result;
}

namespace {

// For each new line, the index of the original line it leaves unchanged, or -1.
std::vector<qsizetype> Unchanged_Original_Lines(const QStringList& lines, const Text_File& original)
{
    std::vector<qsizetype> from(static_cast<size_t>(lines.size()), -1);
    const QStringList& old = original.lines;
    if (original.raw_lines.size() != old.size())
        return from;
    qsizetype head = 0;
    while (head < lines.size() && head < old.size() && lines.at(head) == old.at(head)) {
        from[static_cast<size_t>(head)] = head;
        ++head;
    }
    qsizetype tail = 0;
    while (head + tail < lines.size() && head + tail < old.size()
           && lines.at(lines.size() - 1 - tail) == old.at(old.size() - 1 - tail)) {
        from[static_cast<size_t>(lines.size() - 1 - tail)] = old.size() - 1 - tail;
        ++tail;
    }
    // Between them, a rewrite keeps the order of the lines it copies: of the
    // original lines with the same text, take the first after the last one taken.
    QHash<QString, QList<qsizetype>> unused;  // by text, in file order
    for (qsizetype j = head; j < old.size() - tail; ++j)
        unused[old.at(j)].append(j);
    qsizetype last = head;
    for (qsizetype i = head; i < lines.size() - tail; ++i) {
        const auto found = unused.find(lines.at(i));
        if (found == unused.end() || found->isEmpty())
            continue;
        auto next = std::lower_bound(found->begin(), found->end(), last);
        if (next == found->end())
            next = found->begin();
        last = *next;
        from[static_cast<size_t>(i)] = last;
        found->erase(next);
    }
    return from;
}

}  // namespace

Write_Result Encode_Lines(const QStringList& lines, QByteArray& out, const Text_File& original)
{
    const std::vector<qsizetype> unchanged = Unchanged_Original_Lines(lines, original);
    out.clear();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const qsizetype from = unchanged[static_cast<size_t>(i)]; from >= 0) {
            out += original.raw_lines.at(from);
        } else {
            const Encoded encoded = Encode_Cp932(lines.at(i));
            if (!encoded.ok()) {
                out.clear();
                return {Unencodable_Message(encoded.unencodable)};
            }
            out += encoded.bytes;
        }
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
