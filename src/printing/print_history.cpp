#include "printing/print_history.h"

#include "products/product_list.h"
#include "products/product_record.h"
#include "render/date_stamp.h"
#include "store/journal_file.h"
#include "store/text_helpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

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

// The label has already told the user about an invalid base date.
class Silent_Answerer : public store::Confirmation {
public:
    bool Show_Confirmation(const store::Confirmation_Request&) override { return true; }
    void Show_Message_Box(const QString&) override {}
};

}  // namespace

History_Entry Job_Entry(const products::Product_Record& product, const Issue_Entry& issue, const QString& printer)
{
    const render::Issue_Values& v = issue.values;
    History_Entry entry;
    entry.product_no = products::Format_Product_No(issue.product_no);
    entry.product_name = product[products::Product_Name];
    entry.layout = product[products::Layout_Name];
    entry.copies = QString::number(store::Round_Half_Even(store::Lenient_Number(issue.labels)));
    entry.printer = printer;
    entry.base = store::Pad_Zero(v.year, 4) + QLatin1Char('/') + store::Pad_Zero(v.month, 2) + QLatin1Char('/')
                 + store::Pad_Zero(v.day, 2) + QLatin1Char(' ') + store::Pad_Zero(v.hour, 2) + QLatin1Char(':')
                 + store::Pad_Zero(v.minute, 2);
    if (!product[products::Product_No].isEmpty()) {
        Silent_Answerer silent;
        entry.date_line = render::Date_Line(product, v, silent).value_or(QString());
    }
    return entry;
}

QString History_Line(const History_Entry& e)
{
    QStringList fields = {e.time,      e.product_no, e.product_name, e.layout, e.copies, e.printer,
                          e.base,      e.date_line,  e.result,       e.reason, e.file};
    for (QString& field : fields)
        field = store::Strip_Control_Chars(field);
    return fields.join(QLatin1Char('\t'));
}

History_Entry Read_History_Line(const QString& line)
{
    QStringList fields = line.split(QLatin1Char('\t'));
    while (fields.size() < kFields)
        fields << QString();
    return {fields[0], fields[1], fields[2], fields[3], fields[4],  fields[5],
            fields[6], fields[7], fields[8], fields[9], fields[10]};
}

store::Outcome Append_History(const QString& data_folder, const History_Entry& entry)
{
    History_Entry stamped = entry;
    if (stamped.time.isEmpty())
        stamped.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    const QDir folder(data_folder);
    const store::Write_Result written =
        store::Append_Lines(folder.filePath(kHistoryFileName), folder.filePath(kHistoryLockName),
                            {kHistoryVersionLine}, {History_Line(stamped)});
    if (!written.ok())
        return store::Outcome::Failed({QStringLiteral("発行履歴に記録できませんでした"), written.error});
    return store::Outcome::Done();
}

History_Log::History_Log(QString text) : text_(std::move(text))
{
    // Lines end in CR LF; the first is the version line.
    const QString line_end = QStringLiteral("\r\n");
    qsizetype start = text_.indexOf(line_end);
    start = start < 0 ? text_.size() : start + 2;
    while (start < text_.size()) {
        qsizetype end = text_.indexOf(line_end, start);
        if (end < 0)
            end = text_.size();
        if (end > start && text_.at(start) != QLatin1Char('\t'))
            lines_.emplace_back(start, end - start);
        start = end + 2;
    }
    std::reverse(lines_.begin(), lines_.end());
}

std::optional<History_Log> Read_History(const QString& data_folder)
{
    const QString path = QDir(data_folder).filePath(kHistoryFileName);
    store::Journal_Text file = store::Read_Complete_Text(path);
    if (!file.opened)
        return QFile::exists(path) ? std::nullopt : std::make_optional<History_Log>();
    return History_Log(std::move(file.text));
}

std::vector<int> Filter_History(const History_Log& log, const History_Filter& filter)
{
    const QString number =
        filter.product_no.trimmed().isEmpty() ? QString() : products::Format_Product_No(filter.product_no);
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
