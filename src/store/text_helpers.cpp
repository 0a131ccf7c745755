#include "store/text_helpers.h"

#include "store/cp932.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace store {

QString Left_By_Bytes(const QString& text, int n)
{
    int k = 1;
    qsizetype i = 0;
    for (; k <= n && i < text.size(); ++i) {
        if (Byte_Width(text.at(i)) == 2)
            ++k;
        ++k;
    }
    return text.left(i);
}

QString Right_By_Bytes(const QString& text, int n)
{
    QString result;
    int k = 1;
    for (qsizetype i = text.size() - 1; k <= n && i >= 0; --i) {
        const QChar c = text.at(i);
        result.prepend(c);
        if (Byte_Width(c) == 2)
            ++k;
        ++k;
    }
    return result;
}

QString Strip_Control_Chars(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text)
        if (c.unicode() > 31)
            result.append(c);
    return result;
}

void Strip_Control_And_Commas(QString& text)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        if (c.unicode() < 32 || c == QLatin1Char(','))
            text.remove(i, 1);
    }
}

QString Pad_Zero(const QString& text, int w)
{
    const long long value = std::llabs(static_cast<long long>(Lenient_Int(text)));
    const QString digits = QString(20, QLatin1Char('0')) + QString::number(value);
    return digits.right(w);
}

void Split_Tab_Line(const QString& line, Field_Array& fields)
{
    fields.fill(QString());
    qsizetype start = 0;
    int index = 1;
    for (;;) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'), start);
        if (index >= kFieldArraySize)
            return;
        if (tab < 0) {
            fields[index] = line.mid(start);
            return;
        }
        fields[index++] = Strip_Control_Chars(line.mid(start, tab - start));
        start = tab + 1;
    }
}

void Split_Tab_Fields(const QString& line, int count, Field_Array& fields)
{
    for (int i = 1; i <= count && i < kFieldArraySize; ++i)
        fields[i].clear();
    qsizetype start = 0;
    int filled = 0;
    while (filled < count && filled + 1 < kFieldArraySize) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'), start);
        if (tab < 0) {
            fields[filled + 1] = line.mid(start);
            return;
        }
        fields[++filled] = Strip_Control_Chars(line.mid(start, tab - start));
        start = tab + 1;
    }
}

QString Quote_For_Command(const QString& text)
{
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

double Lenient_Number(const QString& text)
{
    // Most texts read so are a product file's keys, digits alone: their value
    // is summed directly (exact below 16 digits), as a rewrite compares every line's.
    if (!text.isEmpty() && text.size() < 16
        && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        double value = 0;
        for (const QChar c : text)
            value = value * 10 + (c.unicode() - u'0');
        return value;
    }
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    QString number;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        number.append(text.at(i++));
    bool digits = false;
    while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
        number.append(text.at(i++));
        digits = true;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        number.append(text.at(i++));
        while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            number.append(text.at(i++));
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return number.toDouble();
}

int Round_Half_Even(double value)
{
    const double rounded = std::nearbyint(value);
    if (rounded >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}

int Lenient_Int(const QString& text)
{
    return Round_Half_Even(Lenient_Number(text));
}

namespace {
const QString kKanma = QStringLiteral("<kanma>");
}

QString Kanma_Henkan(const QString& text, int mode)
{
    QString result;
    result.reserve(text.size());
    if (mode == 1) {
        for (qsizetype i = 0; i < text.size();) {
            if (text.mid(i, kKanma.size()) == kKanma) {
                result += QLatin1Char(',');
                i += kKanma.size();
            } else {
                result += text.at(i++);
            }
        }
        return result;
    }
    for (QChar c : text) {
        if (c == QLatin1Char(',') || c == QChar(0xFF0C))
            result += kKanma;
        else
            result += c;
    }
    return result;
}

QString Make_Safe_File_Name(const QString& name)
{
    static const QString kForbidden = QStringLiteral(",/:\\*?<>|\"");
    static const QString kFullWidth = QStringLiteral("，／：￥＊？＜＞｜＂");
    QString safe;
    safe.reserve(name.size());
    for (QChar c : name) {
        if (c.unicode() < 32)
            continue;
        const qsizetype at = kForbidden.indexOf(c);
        safe.append(at < 0 ? c : kFullWidth.at(at));
    }
    return safe;
}

}  // namespace store
