#pragma once
// Conversion between half-width and full-width forms of ASCII characters,
// the space and katakana, as Japanese input boxes expect it.
#include <QString>

namespace store {

// ASCII "!".."~" -> "！".."～", " " -> "　", half-width katakana (with their
// voicing marks) -> full-width katakana. Other characters are kept.
QString To_Full_Width(const QString& text);

// The reverse: full-width ASCII, the ideographic space and full-width katakana
// become half-width; voiced katakana become base + "ﾞ" / "ﾟ".
QString To_Half_Width(const QString& text);

// Only full-width ASCII and the ideographic space become half-width, one
// character for one (what a number box reads); everything else is kept.
QString Ascii_To_Half_Width(const QString& text);

// The text as a search by name or reading compares it: full-width letters and
// digits and half-width katakana made plain (NFKC), katakana turned into
// hiragana, lower case, without blanks and brackets ("ｿﾞｳ", "ゾウ" and "ぞう"
// give the same key).
QString Search_Key(const QString& text);

}  // namespace store
