#include "printing/print_history.h"

#include "products/product_list.h"
#include "products/product_record.h"
#include "render/date_stamp.h"
#include "store/journal_file.h"
#include "store/text_helpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace printing {

namespace {

constexpr int kFields = 11;

QString Day_Text(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy/MM/dd"));
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

std::optional<std::vector<History_Entry>> Read_History(const QString& data_folder)
{
    const QString path = QDir(data_folder).filePath(kHistoryFileName);
    const store::Text_File file = store::Read_Complete_Lines(path);
    if (!file.opened)
        return QFile::exists(path) ? std::nullopt : std::make_optional<std::vector<History_Entry>>();
    std::vector<History_Entry> entries;
    entries.reserve(file.lines.size());
    for (qsizetype i = file.lines.size() - 1; i >= 1; --i) {  // line 0 is the version line
        History_Entry entry = Read_History_Line(file.lines[i]);
        if (!entry.time.isEmpty())
            entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<int> Filter_History(const std::vector<History_Entry>& entries, const History_Filter& filter)
{
    const QString number =
        filter.product_no.trimmed().isEmpty() ? QString() : products::Format_Product_No(filter.product_no);
    const QStringList words = products::Split_Search_Words(filter.words);
    // Job times begin with the day, "yyyy/MM/dd", so days compare as text.
    const QString from = filter.from.isValid() ? Day_Text(filter.from) : QString();
    const QString to = filter.to.isValid() ? Day_Text(filter.to) : QString();
    std::vector<int> kept;
    for (int i = 0; i < int(entries.size()); ++i) {
        const History_Entry& e = entries[i];
        if (!number.isEmpty() && e.product_no != number)
            continue;
        if (!from.isEmpty() && QStringView(e.time).left(10) < from)
            continue;
        if (!to.isEmpty() && QStringView(e.time).left(10) > to)
            continue;
        bool matches = true;
        for (const QString& word : words)
            matches = matches && e.product_name.contains(word);
        if (matches)
            kept.push_back(i);
    }
    return kept;
}

}  // namespace printing
