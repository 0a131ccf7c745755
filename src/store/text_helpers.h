#pragma once
// Pure text helpers shared by every subsystem: widths in CP932 bytes, control
// characters, zero padding, tab-separated lines and lenient numbers.
#include <QString>

#include <array>

namespace store {

// Fields of one tab-separated line: element n holds field n; element 0 is never filled.
constexpr int kFieldArraySize = 100;
using Field_Array = std::array<QString, kFieldArraySize>;

// Leading characters of the text that make up n bytes; a two-byte character
// that starts at byte n is taken whole. Stops early when the text runs out.
QString Left_By_Bytes(const QString& text, int n);
QString Right_By_Bytes(const QString& text, int n);

QString Strip_Control_Chars(const QString& text);
void Strip_Control_And_Commas(QString& text);

// The number in the text as w digits with leading zeros (sign dropped, last w digits kept).
QString Pad_Zero(const QString& text, int w);

// Lines with more fields than the array holds keep their first 99 fields;
// the rest of such a line is ignored, nothing is written past the array.
void Split_Tab_Line(const QString& line, Field_Array& fields);
void Split_Tab_Fields(const QString& line, int count, Field_Array& fields);

QString Quote_For_Command(const QString& text);

// Lenient decimal parse: leading blanks skipped, the longest leading number
// (sign, digits, point, digits) taken, 0 when there is none.
double Lenient_Number(const QString& text);

// Whole number, halves to the even neighbour (12.5 -> 12, 13.5 -> 14),
// clamped to the 32-bit range.
int Round_Half_Even(double value);

// Lenient_Number then Round_Half_Even.
int Lenient_Int(const QString& text);

// The "<kanma>" comma escape: mode 1 decodes every "<kanma>" to ","; any other
// mode encodes every "," and "，" as "<kanma>".
QString Kanma_Henkan(const QString& text, int mode);

// Removes control characters and replaces every character that file names may
// not hold by its full-width counterpart ("a/b:c" -> "a／b：c"; '"' -> "＂").
QString Make_Safe_File_Name(const QString& name);

}  // namespace store
