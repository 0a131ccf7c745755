#include "store/cp932.h"

#include "store/cp932_tables.h"
#include "store/file_lock.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace store {
namespace {

using cp932_tables::kSubstitute;

bool Is_Lead_Byte(unsigned b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool Is_Trail_Byte(unsigned b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// The lines of `bytes` whose line feeds are at `feeds`, in order: each feed
// ends a line (without a CR before it), and bytes after the last feed are a last line.
QList<QByteArrayView> Lines_Ended_At(QByteArrayView bytes, const std::vector<qsizetype>& feeds)
{
    QList<QByteArrayView> lines;
    lines.reserve(qsizetype(feeds.size()) + 1);
    qsizetype start = 0;
    const auto cut = [&](qsizetype end) {
        const qsizetype stop = end > start && bytes.at(end - 1) == '\r' ? end - 1 : end;
        lines.append(bytes.sliced(start, stop - start));
        start = end + 1;
    };
    for (const qsizetype feed : feeds)
        cut(feed);
    if (start < bytes.size())
        cut(bytes.size());
    return lines;
}

// Notes where the line feeds among bytes[from, to) lie.
void Find_Line_Feeds(QByteArrayView bytes, qsizetype from, qsizetype to, std::vector<qsizetype>& feeds)
{
    if (from >= to)
        return;  // nothing to look at (an empty view may have no data at all)
    const char* begin = bytes.data();
    for (const char* at = begin + from;
         (at = static_cast<const char*>(std::memchr(at, '\n', size_t(begin + to - at)))) != nullptr; ++at)
        feeds.push_back(at - begin);
}

// Reads from `fd` to the end of the file into `bytes`, a buffer of the file's
// size (`expected`) read straight into. QFile::readAll, and growing a
// QByteArray with resize(), reserve room to grow, which puts a buffer that
// large in fresh pages every time instead of heap memory already in use. A
// file that grew meanwhile is read to its new end.
bool Read_To_End(int fd, qsizetype expected, QByteArray& bytes)
{
    constexpr qsizetype kBlock = 512 * 1024;
    bytes = QByteArray(expected + 1, Qt::Uninitialized);  // the extra byte finds out whether the file grew
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.append(QByteArray(bytes.size(), Qt::Uninitialized));
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(std::min(kBlock, bytes.size() - filled)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += got;
    }
    bytes.resize(filled);
    return true;
}

}  // namespace

int Byte_Width(QChar c)
{
    const int w = cp932_tables::kWidth[c.unicode()];
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
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (cp932_tables::kWidth[c.unicode()] != 0)
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
    const auto& width = cp932_tables::kWidth;
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
    return QStringLiteral("文字「%1」(U+%2) は保存できません")
        .arg(character)
        .arg(QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

QString Decode_Cp932(QByteArrayView bytes)
{
    using cp932_tables::kPairs;
    using cp932_tables::kSingle;
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    qsizetype n = 0;
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned b = in[i];
        if (b < 0x80) {
            out[n++] = char16_t(b);
        } else if (Is_Lead_Byte(b) && i + 1 < bytes.size() && Is_Trail_Byte(in[i + 1])) {
            out[n++] = kPairs[b * 256 + in[++i]];
        } else {  // a lead byte without its trail byte stands alone; the next byte is read anew
            out[n++] = Is_Lead_Byte(b) ? kSubstitute : kSingle[b];
        }
    }
    text.truncate(n);
    return text;
}

Encoded Encode_Cp932(const QString& text)
{
    using cp932_tables::kCode;
    using cp932_tables::kWidth;
    Encoded result;
    result.bytes.resize(text.size() * 2);
    char* out = result.bytes.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (kWidth[u] == 0) {
            result.unencodable = First_Unencodable(text.mid(i));
            result.bytes.clear();
            return result;
        }
        if (kWidth[u] == 2)
            out[n++] = char(kCode[u] >> 8);
        out[n++] = char(kCode[u] & 0xFF);
    }
    result.bytes.truncate(n);
    return result;
}

QString Decode_Leading_Chars(QByteArrayView bytes, int n)
{
    // A character takes at most two bytes, and never reads beyond its own.
    return Decode_Cp932(bytes.first(std::min<qsizetype>(bytes.size(), 2 * qsizetype(n)))).left(n);
}

std::optional<QByteArray> Sole_Encoding(const QString& text)
{
    for (QChar c : text)
        if (!cp932_tables::kSole[c.unicode()])
            return std::nullopt;
    return Encode_Cp932(text).bytes;
}

bool Decoded_Contains(QByteArrayView bytes, QByteArrayView sole_bytes)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto find_from = [&](qsizetype from) -> qsizetype {
        const void* found = ::memmem(in + from, size_t(bytes.size() - from), sole_bytes.data(),
                                     size_t(sole_bytes.size()));
        return found ? static_cast<const unsigned char*>(found) - in : -1;
    };
    qsizetype boundary = 0;  // where a character starts, as Decode_Cp932 steps
    for (qsizetype at = find_from(0); at >= 0; at = find_from(at + 1)) {
        while (boundary < at)
            boundary += Is_Lead_Byte(in[boundary]) && boundary + 1 < bytes.size() && Is_Trail_Byte(in[boundary + 1])
                ? 2
                : 1;
        if (boundary == at)
            return true;
    }
    return false;
}

File_Bytes Read_File_Bytes(const QString& path)
{
    QFile file(path);
    File_Bytes result;
    if (!file.open(QIODevice::ReadOnly)) {
        if (QFileInfo::exists(path))
            result.error = QStringLiteral("%1 を読み込めません: %2").arg(path, file.errorString());
        return result;
    }
    struct stat status { };
    if (::fstat(file.handle(), &status) != 0 || !Read_To_End(file.handle(), qsizetype(status.st_size), result.bytes)) {
        result.bytes.clear();
        result.error =
            QStringLiteral("%1 を読み込めません: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return result;
    }
    result.opened = true;
    return result;
}

Text_File Read_Text_Lines(const QString& path)
{
    const File_Bytes read = Read_File_Bytes(path);
    if (!read.opened) {
        Text_File failed;
        failed.error = read.error;
        return failed;
    }
    Text_File result = Split_Text_Lines(read.bytes);
    result.opened = true;
    return result;
}

QList<QByteArrayView> Split_Raw_Lines(QByteArrayView bytes)
{
    std::vector<qsizetype> feeds;
    Find_Line_Feeds(bytes, 0, bytes.size(), feeds);
    return Lines_Ended_At(bytes, feeds);
}

Text_File Split_Text_Lines(const QByteArray& bytes)
{
    // Neither CR nor LF is ever the second byte of a character: splitting the
    // bytes first decodes exactly as decoding the whole file would.
    Text_File result;
    for (QByteArrayView line : Split_Raw_Lines(bytes))
        result.Append_Read_Line(line);
    return result;
}

void Text_File::Append_Read_Line(QByteArrayView line)
{
    raw_lines.append(line.toByteArray());
    lines.append(Decode_Cp932(line));
}

Line_Reader::Line_Reader(const QString& path, qsizetype block) : file_(path), block_(block)
{
    if (file_.open(QIODevice::ReadOnly)) {
        Read_Block();  // a file whose reading fails at once is failed() from the start
        return;
    }
    if (QFileInfo::exists(path))
        Fail();
    at_end_ = true;
}

void Line_Reader::Fail()
{
    failed_ = true;
    error_ = QStringLiteral("%1 を読み込めません: %2").arg(file_.fileName(), file_.errorString());
}

bool Line_Reader::Next(QByteArrayView& line)
{
    for (;;) {
        const qsizetype feed = QByteArrayView(buffer_).first(end_).indexOf('\n', scanned_);
        if (feed >= 0 || (at_end_ && start_ < end_)) {
            const qsizetype end = feed >= 0 ? feed : end_;
            const qsizetype stop = end > start_ && buffer_.at(end - 1) == '\r' ? end - 1 : end;
            line = QByteArrayView(buffer_).sliced(start_, stop - start_);
            start_ = scanned_ = feed >= 0 ? feed + 1 : end_;
            return true;
        }
        if (at_end_ || !Fill())
            return false;
    }
}

bool Line_Reader::Fill()
{
    Before_Refill();
    return Read_Block();
}

// Moves the unread bytes to the front and reads the next block after them.
bool Line_Reader::Read_Block()
{
    const qsizetype kept = end_ - start_;
    if (buffer_.size() < kept + block_)
        buffer_.resize(kept + std::max(kept, block_));
    std::memmove(buffer_.data(), buffer_.data() + start_, size_t(kept));
    scanned_ = kept;
    start_ = 0;
    const qint64 read = file_.read(buffer_.data() + kept, buffer_.size() - kept);
    if (read < 0) {
        Fail();
        return false;
    }
    end_ = kept + read;
    at_end_ = read == 0;
    return true;
}

Last_Line Read_Last_Line(const QString& path)
{
    constexpr qint64 kChunk = 16 * 1024;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    QByteArray tail;
    for (qint64 from = size; from > 0;) {
        from = std::max<qint64>(0, from - kChunk);
        if (!file.seek(from))
            return {};
        const QByteArray chunk = file.read(size - from - tail.size());
        if (file.error() != QFileDevice::NoError || chunk.size() != size - from - tail.size())
            return {};
        tail.prepend(chunk);
        // The line ends at the file's last line feed, or at its end when it has none after its last line.
        const qsizetype end = tail.endsWith('\n') ? tail.size() - 1 : tail.size();
        const qsizetype feed = end > 0 ? tail.lastIndexOf('\n', end - 1) : -1;
        if (feed >= 0 || from == 0) {
            const QList<QByteArrayView> lines = Split_Raw_Lines(QByteArrayView(tail).sliced(feed + 1));
            if (lines.isEmpty())
                return {};
            return {lines.last().toByteArray(), feed < 0};
        }
    }
    return {};
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

Twin_File::Twin_File(const QString& path, const QString& twin_path) : path_(path), twin_(Writer_Temp_Path(twin_path))
{
}

Twin_File::~Twin_File()
{
    if (!replaced_)
        twin_.remove();
}

Write_Result Twin_File::Create(std::optional<quint64> device)
{
    if (!twin_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {QStringLiteral("%1 を作成できません: %2").arg(twin_.fileName(), twin_.errorString())};
    struct stat status { };
    if (device && (::fstat(twin_.handle(), &status) != 0 || status.st_dev != *device))
        return {QStringLiteral("%1 は読み込んだ時と別のドライブにあります").arg(path_)};
    return {};
}

void Twin_File::Write(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    written_ = written_ && twin_.write(bytes.data(), bytes.size()) == bytes.size();
}

Write_Result Twin_File::Replace()
{
    const bool synced = written_ && twin_.flush() && ::fsync(twin_.handle()) == 0;
    const QString write_error = twin_.errorString();
    twin_.close();
    if (!synced)
        return {QStringLiteral("%1 に書き込めません: %2").arg(twin_.fileName(), write_error)};
    if (::rename(QFile::encodeName(twin_.fileName()).constData(), QFile::encodeName(path_).constData()) != 0)
        return {QStringLiteral("%1 を置き換えられません: %2").arg(path_, QString::fromLocal8Bit(std::strerror(errno)))};
    replaced_ = true;
    return {};
}

Write_Result Replace_File_Atomically(const QString& path, const QString& twin_path, const QByteArray& bytes)
{
    Twin_File twin(path, twin_path);
    if (Write_Result created = twin.Create(); !created.ok())
        return created;
    twin.Write(bytes);
    return twin.Replace();
}

}  // namespace store
