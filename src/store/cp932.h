#pragma once
// CP932 (Windows Shift-JIS) text: the one place where data files are encoded,
// decoded, read and written. Every data file is CP932 with CR LF after each line.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

namespace store {

// Width of a character in CP932 bytes: 1 or 2; a character without a CP932 form counts 1.
int Byte_Width(QChar c);
int Byte_Width(const QString& text);

// The first character of the text that has no CP932 form, or an empty string.
// A surrogate pair is returned whole.
QString First_Unencodable(const QString& text);

// The text with each character that Linux input methods produce but CP932 lacks
// replaced by the CP932 character Windows users type for the same thing:
// 〜 U+301C -> ～, − U+2212 -> －, ‖ U+2016 -> ∥, — U+2014 -> ―, ¢ -> ￠, £ -> ￡,
// ¬ -> ￢, ¥ -> ￥ (and ∥ -> ‖ should the table hold only ‖). Lengths stay the same;
// characters without such a counterpart are kept and refused when written.
QString To_Cp932_Counterparts(const QString& text);

// Clear message naming a character that cannot be stored.
QString Unencodable_Message(const QString& character);

// Bytes without a CP932 meaning become U+001A.
QString Decode_Cp932(QByteArrayView bytes);

// The first n characters the bytes decode to, decoding no more than those.
QString Decode_Leading_Chars(QByteArrayView bytes, int n);

// The bytes of the text when they are the only CP932 bytes that decode to it
// (every character has one code and no other bytes read as it): bytes that
// decode to a text holding it then hold these bytes. nullopt otherwise.
std::optional<QByteArray> Sole_Encoding(const QString& text);

// Whether the bytes decode to a text that holds the text whose Sole_Encoding
// is `sole_bytes`: they hold those bytes starting where a character starts.
bool Decoded_Contains(QByteArrayView bytes, QByteArrayView sole_bytes);

struct Encoded {
    QByteArray bytes;
    QString unencodable;  // non-empty: the character that has no CP932 form
    bool ok() const { return unencodable.isEmpty(); }
};
Encoded Encode_Cp932(const QString& text);

// Lines of a CP932 text file, without their CR LF (a bare LF also ends a line),
// decoded and as read: a rewrite writes the lines it leaves unchanged with
// their bytes as read (undecodable bytes, the NEC and IBM codes of one character).
struct Text_File {
    bool opened = false;
    QStringList lines;
    QList<QByteArray> raw_lines;  // element n = the bytes of lines[n]
    QString error;                // set when the file exists but could not be read in full: its path and the reason

    // Adds a line as read: its bytes and its decoded text.
    void Append_Read_Line(QByteArrayView line);
};
Text_File Read_Text_Lines(const QString& path);
// The bytes of a text file split into lines (opened stays false).
Text_File Split_Text_Lines(const QByteArray& bytes);
// The lines of the bytes as Split_Text_Lines cuts them, undecoded (views into `bytes`).
QList<QByteArrayView> Split_Raw_Lines(QByteArrayView bytes);

// A whole file's bytes, read as Read_Text_Lines reads them (same errors).
struct File_Bytes {
    bool opened = false;
    QByteArray bytes;
    QString error;  // set when the file exists but could not be read in full
};
File_Bytes Read_File_Bytes(const QString& path);

// Reads a text file line by line in blocks, as Split_Raw_Lines cuts its bytes,
// holding one block rather than the whole file.
class Line_Reader {
public:
    static constexpr qsizetype kDefaultBlock = 256 * 1024;

    // Opens the file and reads its first block.
    explicit Line_Reader(const QString& path, qsizetype block = kDefaultBlock);
    virtual ~Line_Reader() = default;
    Line_Reader(const Line_Reader&) = delete;
    Line_Reader& operator=(const Line_Reader&) = delete;

    // The next line, valid until the next call; false at the end of the file
    // or of what could be read (failed() when the file exists but could not be
    // opened or read in full).
    bool Next(QByteArrayView& line);
    bool opened() const { return file_.isOpen(); }
    bool failed() const { return failed_; }
    // Why it failed, naming the file.
    const QString& error() const { return error_; }

protected:
    // Called before a block is read in place of the bytes of the lines given
    // so far, which are then gone.
    virtual void Before_Refill() { }
    // The bytes the buffer holds: the lines given since the last refill and
    // the bytes read after them.
    QByteArrayView Buffered() const { return QByteArrayView(buffer_).first(end_); }
    int Handle() const { return file_.handle(); }

private:
    bool Fill();
    bool Read_Block();
    void Fail();

    QFile file_;
    QByteArray buffer_;
    qsizetype block_;
    qsizetype start_ = 0;    // the next line's first byte
    qsizetype scanned_ = 0;  // bytes before this hold no line feed after start_
    qsizetype end_ = 0;      // bytes read into the buffer
    bool at_end_ = false;
    bool failed_ = false;
    QString error_;
};

// The last line of a text file, read from its end: its bytes as Split_Raw_Lines
// cuts them, and whether it is the file's first line. Empty for a file without
// lines or one that cannot be read.
struct Last_Line {
    QByteArray bytes;
    bool first = true;
};
Last_Line Read_Last_Line(const QString& path);

// Outcome of a write: empty error = success.
struct Write_Result {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Encodes every line with CR LF after it; refuses (writing nothing) when a line
// holds a character without a CP932 form. A line that `original` holds unchanged
// is written with its bytes as read: the lines both have alike at the start and at
// the end in place, the lines between matched by text in the original's order.
Write_Result Encode_Lines(const QStringList& lines, QByteArray& out, const Text_File& original = {});

// Writes the file directly (new files only: defaults at first start).
Write_Result Write_Text_Lines(const QString& path, const QStringList& lines);

// This process's own twin of `twin_path` (Writer_Temp_Path), the new content of
// the file at `path` as it is written: flushed and synced, then renamed over
// the file in one step, so that the real file is never absent or half written.
// A twin that is not put in place is removed.
class Twin_File {
public:
    Twin_File(const QString& path, const QString& twin_path);
    ~Twin_File();
    Twin_File(const Twin_File&) = delete;
    Twin_File& operator=(const Twin_File&) = delete;

    // Creates the twin. With `device`, it must land on that file system (the
    // one the old file was read from): a data folder whose drive was taken
    // away and whose path now leads to the bare mount point is refused.
    Write_Result Create(std::optional<quint64> device = std::nullopt);
    // Appends the bytes; a failure is told by Replace.
    void Write(QByteArrayView bytes);
    // Syncs the twin and renames it over the file.
    Write_Result Replace();
    // The file it replaces.
    const QString& Path() const { return path_; }

private:
    QString path_;
    QFile twin_;
    bool written_ = true;
    bool replaced_ = false;
};

// Writes the bytes through a Twin_File of `twin_path`. Two processes replacing
// one file take its File_Lock around the read and this write.
Write_Result Replace_File_Atomically(const QString& path, const QString& twin_path, const QByteArray& bytes);

}  // namespace store
