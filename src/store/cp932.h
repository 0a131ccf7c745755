#pragma once
// CP932 (Windows Shift-JIS) text: the one place where data files are encoded,
// decoded, read and written. Every data file is CP932 with CR LF after each line.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace store {

// Width of a character in CP932 bytes: 1 or 2; a character without a CP932 form counts 1.
int Byte_Width(QChar c);
int Byte_Width(const QString& text);

// The first character of the text that has no CP932 form, or an empty string.
// A surrogate pair is returned whole.
QString First_Unencodable(const QString& text);

// Clear message naming a character that cannot be stored.
QString Unencodable_Message(const QString& character);

// Bytes without a CP932 meaning become U+001A.
QString Decode_Cp932(const QByteArray& bytes);

struct Encoded {
    QByteArray bytes;
    QString unencodable;  // non-empty: the character that has no CP932 form
    bool ok() const { return unencodable.isEmpty(); }
};
Encoded Encode_Cp932(const QString& text);

// Lines of a CP932 text file, without their CR LF (a bare LF also ends a line).
struct Text_File {
    bool opened = false;
    QStringList lines;
    QString error;  // set when the file exists but could not be read in full: its path and the reason
};
Text_File Read_Text_Lines(const QString& path);

// Outcome of a write: empty error = success.
struct Write_Result {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Encodes every line with CR LF after it; refuses (writing nothing) when a line
// holds a character without a CP932 form.
Write_Result Encode_Lines(const QStringList& lines, QByteArray& out);

// Writes the file directly (new files only: defaults at first start).
Write_Result Write_Text_Lines(const QString& path, const QStringList& lines);

// Writes the bytes to `temp_path`, flushes and syncs them, then renames the
// temporary file over `path` in one step: the real file is never absent or half written.
Write_Result Replace_File_Atomically(const QString& path, const QString& temp_path, const QByteArray& bytes);

}  // namespace store
