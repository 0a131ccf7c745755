#include "store/width_conversion.h"

namespace store {
namespace {

// Full-width forms of the half-width katakana block U+FF61..U+FF9F, in order.
const QString kFullKana = QStringLiteral("。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニ"
                                         "ヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
constexpr char16_t kHalfKanaFirst = 0xFF61;
constexpr char16_t kHalfVoiced = 0xFF9E;
constexpr char16_t kHalfSemiVoiced = 0xFF9F;
constexpr char16_t kCombiningVoiced = 0x3099;
constexpr char16_t kCombiningSemiVoiced = 0x309A;

bool Is_Half_Kana(QChar c)
{
    return c.unicode() >= kHalfKanaFirst && c.unicode() <= kHalfSemiVoiced;
}

// The full-width kana with the voicing mark composed onto it, or an empty
// string when that pair has no composed form.
QString Compose(QChar base, char16_t mark)
{
    const QString pair = QString(base) + QChar(mark);
    const QString composed = pair.normalized(QString::NormalizationForm_C);
    return composed.size() == 1 ? composed : QString();
}

bool Is_Bracket(QChar c)
{
    static const QString brackets = QStringLiteral("[]()<>「」【】［］（）＜＞");
    return brackets.contains(c);
}

}  // namespace

QString To_Full_Width(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == u' ') {
            result += QChar(0x3000);
        } else if (u >= 0x21 && u <= 0x7E) {
            result += QChar(char16_t(u - 0x21 + 0xFF01));
        } else if (Is_Half_Kana(c)) {
            const QChar full = kFullKana.at(u - kHalfKanaFirst);
            if (i + 1 < text.size()
                && (text.at(i + 1).unicode() == kHalfVoiced || text.at(i + 1).unicode() == kHalfSemiVoiced)) {
                const char16_t mark = text.at(i + 1).unicode() == kHalfVoiced ? kCombiningVoiced : kCombiningSemiVoiced;
                if (const QString composed = Compose(full, mark); !composed.isEmpty()) {
                    result += composed;
                    ++i;
                    continue;
                }
            }
            result += full;
        } else {
            result += c;
        }
    }
    return result;
}

QString To_Half_Width(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0x3000) {
            result += QLatin1Char(' ');
        } else if (u >= 0xFF01 && u <= 0xFF5E) {
            result += QChar(char16_t(u - 0xFF01 + 0x21));
        } else if (const qsizetype at = kFullKana.indexOf(c); at >= 0) {
            result += QChar(char16_t(kHalfKanaFirst + at));
        } else if (u >= 0x30A1 && u <= 0x30FA) {
            // A voiced katakana: its base form followed by the half-width mark.
            const QString parts = QString(c).normalized(QString::NormalizationForm_D);
            const qsizetype base = parts.size() == 2 ? kFullKana.indexOf(parts.at(0)) : -1;
            if (base >= 0 && parts.at(1).unicode() == kCombiningVoiced)
                result += QString(QChar(char16_t(kHalfKanaFirst + base))) + QChar(kHalfVoiced);
            else if (base >= 0 && parts.at(1).unicode() == kCombiningSemiVoiced)
                result += QString(QChar(char16_t(kHalfKanaFirst + base))) + QChar(kHalfSemiVoiced);
            else
                result += c;
        } else {
            result += c;
        }
    }
    return result;
}

QString Ascii_To_Half_Width(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        const char16_t u = c.unicode();
        if (u == 0x3000)
            c = QLatin1Char(' ');
        else if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(char16_t(u - 0xFF01 + 0x21));
    }
    return result;
}

QString Search_Key(const QString& text)
{
    const QString plain = text.normalized(QString::NormalizationForm_KC).toLower();
    QString key;
    key.reserve(plain.size());
    for (QChar c : plain) {
        if (c.isSpace() || Is_Bracket(c))
            continue;
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)  // katakana ァ..ヶ -> ぁ..ゖ
            c = QChar(c.unicode() - 0x60);
        key.append(c);
    }
    return key;
}

}  // namespace store
