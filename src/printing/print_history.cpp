#include "printing/print_history.h"

#include "products/product_list.h"
#include "products/product_record.h"
#include "render/date_stamp.h"
#include "store/journal_file.h"
#include "store/text_helpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace printing {

namespace {

constexpr int kFields = 11;

QString Day_Text(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

// Field n (from 0) of a job line.
QStringView Field(QStringView line, int n)
{
    qsizetype start = 0;
    for (int k = 0; k < n; ++k) {
        start = line.indexOf(QLatin1Char('\t'), start);
        if (start < 0)
            return {};
        ++start;
    }
    const qsizetype end = line.indexOf(QLatin1Char('\t'), start);
    return line.mid(start, end < 0 ? line.size() - start : end - start);
}

bool Is_Ascii_Digit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// "&#233;": a character kept in the file by its code point.
const QRegularExpression& Escaped_Character()
{
    static const QRegularExpression pattern(QStringLiteral("&#(\\d{1,7});"));
    return pattern;
}

// The field with every character that has no CP932 form written as "&#N;" (N
// its code point), and an "&" that would read as such written "&#38;", so
// that a job is recorded whatever its texts hold and reads back as it was.
QString Escape_Field(const QString& field)
{
    if (store::First_Unencodable(field).isEmpty() && !Escaped_Character().match(field).hasMatch())
        return field;
    QString escaped;
    for (qsizetype i = 0; i < field.size();) {
        const qsizetype length = field.at(i).isHighSurrogate() && i + 1 < field.size() ? 2 : 1;
        const QString character = field.mid(i, length);
        const bool reads_as_escape = character == QStringLiteral("&")
            && Escaped_Character()
                   .match(field, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption)
                   .hasMatch();
        if (reads_as_escape || !store::First_Unencodable(character).isEmpty())
            escaped += QStringLiteral("&#%1;").arg(character.toUcs4().value(0));
        else
            escaped += character;
        i += length;
    }
    return escaped;
}

QString Unescape_Field(const QString& field)
{
    if (!field.contains(QStringLiteral("&#")))
        return field;
    QString plain;
    qsizetype done = 0;
    for (auto it = Escaped_Character().globalMatch(field); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const char32_t code = match.captured(1).toUInt();
        plain += QStringView(field).mid(done, match.capturedStart() - done);
        plain += code > QChar::LastValidCodePoint || QChar::isSurrogate(code) ? match.captured()
                                                                              : QString::fromUcs4(&code, 1);
        done = match.capturedEnd();
    }
    plain.append(QStringView(field).mid(done));
    return plain;
}

}  // namespace

History_Entry Job_Entry(const Print_Job& job, const QString& printer)
{
    History_Entry entry;
    entry.product_no = products::Format_Product_No(job.issue.product_no);
    if (job.product) {
        entry.product_name = (*job.product)[products::Product_Name];
        entry.layout = (*job.product)[products::Layout_Name];
    }
    entry.copies = QString::number(job.issue.copies);
    entry.printer = printer;
    // The base the label was stamped from: the current moment in place of an
    // invalid one, so that a reprint gives the same date.
    entry.base = render::Base_Text(job.date.stamped ? job.date.base : job.issue.values.base);
    entry.date_line = job.date.line.value_or(QString());
    return entry;
}

QString History_Line(const History_Entry& e)
{
    QStringList fields = {e.time, e.product_no, e.product_name, e.layout, e.copies, e.printer,
                          e.base, e.date_line,  e.result,       e.reason, e.file};
    for (QString& field : fields)
        field = Escape_Field(store::Strip_Control_Chars(field));
    return fields.join(QLatin1Char('\t'));
}

History_Entry Read_History_Line(const QString& line)
{
    QStringList fields = line.split(QLatin1Char('\t'));
    while (fields.size() < kFields)
        fields << QString();
    for (QString& field : fields)
        field = Unescape_Field(field);
    return {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5],
            fields[6], fields[7], fields[8], fields[9], fields[10]};
}

QString History_Time(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

store::Outcome Append_History(const QString& data_folder, const History_Entry& entry)
{
    const QDir folder(data_folder);
    const store::Write_Result written = store::Append_Lines(folder.filePath(kHistoryFileName),
                                                            folder.filePath(kHistoryLockName), {kHistoryVersionLine},
                                                            {History_Line(entry)});
    if (!written.ok())
        return store::Outcome::Failed({QStringLiteral("発行履歴に記録できませんでした"), written.error});
    return store::Outcome::Done();
}

History_Log::History_Log(QString text) : text_(std::move(text))
{
    // Lines end in CR LF as written, or in LF after an edit elsewhere, and the
    // last may have no line end; the first is the version line. A job line
    // begins with its time.
    qsizetype start = text_.indexOf(QLatin1Char('\n'));
    start = start < 0 ? text_.size() : start + 1;
    while (start < text_.size()) {
        qsizetype end = text_.indexOf(QLatin1Char('\n'), start);
        const qsizetype next = end < 0 ? text_.size() : end + 1;
        if (end < 0)
            end = text_.size();
        if (end > start && text_.at(end - 1) == QLatin1Char('\r'))
            --end;
        if (end > start && Is_Ascii_Digit(text_.at(start)))
            lines_.emplace_back(start, end - start);
        start = next;
    }
    std::reverse(lines_.begin(), lines_.end());
}

std::optional<History_Log> Read_History(const QString& data_folder)
{
    const QString path = QDir(data_folder).filePath(kHistoryFileName);
    store::Journal_Text file = store::Read_Journal_Text(path);
    if (!file.opened)
        return QFile::exists(path) ? std::nullopt : std::make_optional<History_Log>();
    return History_Log(std::move(file.text));
}

namespace {

// A job line's time, "yyyy/MM/dd HH:mm:ss" before its first TAB; empty when it has none.
QByteArrayView Job_Time(QByteArrayView line)
{
    constexpr qsizetype kTimeLength = 19;
    return line.size() > kTimeLength && line.at(kTimeLength) == '\t' ? line.first(kTimeLength) : QByteArrayView();
}

// The lines of a history file without their line ends, the version line left out.
std::vector<QByteArrayView> Job_Lines(QByteArrayView file)
{
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    bool first = true;
    while (start < file.size()) {
        qsizetype end = file.indexOf('\n', start);
        const qsizetype next = end < 0 ? file.size() : end + 1;
        if (end < 0)
            end = file.size();
        if (end > start && file.at(end - 1) == '\r')
            --end;
        const QByteArrayView line = file.sliced(start, end - start);
        const bool version_line = first && !line.contains('\t');
        if (!line.isEmpty() && !version_line)
            lines.push_back(line);
        first = false;
        start = next;
    }
    return lines;
}

}  // namespace

QByteArray Merge_History_Files(QByteArrayView kept, QByteArrayView added)
{
    std::vector<QByteArrayView> lines = Job_Lines(kept);
    // A line of `added` that `kept` holds as often is the same job.
    QHash<QByteArrayView, int> held;
    for (QByteArrayView line : lines)
        ++held[line];
    for (QByteArrayView line : Job_Lines(added)) {
        int& count = held[line];
        if (count > 0)
            --count;
        else
            lines.push_back(line);
    }
    // Ordered by time; a line without a time stays behind the line before it.
    std::vector<std::pair<QByteArrayView, QByteArrayView>> timed;
    timed.reserve(lines.size());
    QByteArrayView time;
    for (QByteArrayView line : lines) {
        if (const QByteArrayView own = Job_Time(line); !own.isEmpty())
            time = own;
        timed.emplace_back(time, line);
    }
    std::stable_sort(timed.begin(), timed.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QByteArray merged = store::Encode_Cp932(kHistoryVersionLine).bytes + "\r\n";
    for (const auto& [line_time, line] : timed)
        merged.append(line).append("\r\n");
    return merged;
}

std::vector<int> Filter_History(const History_Log& log, const History_Filter& filter)
{
    const QString number = filter.product_no.trimmed().isEmpty() ? QString()
                                                                 : products::Format_Product_No(filter.product_no);
    const QStringList words = products::Split_Search_Words(filter.words);
    // Job times begin with the day, "yyyy/MM/dd", so days compare as text.
    const QString from = filter.from.isValid() ? Day_Text(filter.from) : QString();
    const QString to = filter.to.isValid() ? Day_Text(filter.to) : QString();
    std::vector<int> kept;
    for (int i = 0; i < log.Size(); ++i) {
        const QStringView line = log.Line(i);
        const QStringView day = Field(line, 0).left(10);
        const QStringView product_no = Field(line, 1);
        const QStringView name = Field(line, 2);
        if (!number.isEmpty() && product_no != number)
            continue;
        if ((!from.isEmpty() && day < from) || (!to.isEmpty() && day > to))
            continue;
        bool matches = true;
        for (const QString& word : words)
            matches = matches && name.contains(word);
        if (matches)
            kept.push_back(i);
    }
    return kept;
}

}  // namespace printing
