#pragma once
// The print history 発行履歴_v2.tsv in the data folder: a version line, then
// one line per print job (each job of a print run, sent or refused), oldest
// first. Lines are only ever appended, under a lock file, so that the window
// and the command line may both print at the same time.
#include "printing/print_job.h"
#include "products/product_record.h"
#include "store/outcome.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace printing {

inline const QString kHistoryFileName = QStringLiteral("発行履歴_v2.tsv");
inline const QString kHistoryLockName = QStringLiteral("発行履歴_v2.lock");
inline const QString kHistoryVersionLine = QStringLiteral("2.00");
inline const QString kHistorySent = QStringLiteral("送信");
inline const QString kHistoryRefused = QStringLiteral("中止");

// One print job. Times are texts: "2024/03/05 09:05:07" for the job, "2024/03/05 09:05"
// for the base date and time, so that they sort and compare as text.
struct History_Entry {
    QString time;          // when the job was sent or refused
    QString product_no;    // four digits
    QString product_name;  // 品名
    QString layout;
    QString copies;
    QString printer;
    QString base;       // 基準日時
    QString date_line;  // the date line printed (製造日 or 期限 with its caption)
    QString result;     // kHistorySent or kHistoryRefused
    QString reason;     // why it was refused
    QString file;       // the PDF file the built-in PDF printer wrote

    bool operator==(const History_Entry&) const = default;
};

// The entry of a job about to be printed on `printer` (no time yet): the
// product's 品名 and layout, the copies, the base date and time and the date
// line the label gets.
History_Entry Job_Entry(const Print_Job& job, const QString& printer);

// The line of an entry (fields without control characters, joined by TABs) and
// back. A character without a CP932 form (a PDF under "~/café/") is written as
// "&#233;", its code point, and read back as the character.
QString History_Line(const History_Entry& entry);
History_Entry Read_History_Line(const QString& line);

// The time of an entry as the history writes it, "2024/03/05 09:00:01".
QString History_Time(const QDateTime& moment);

// Appends the entry to the history of the data folder, creating the file with
// its version line when it is missing. The line is written with one write and
// synced; a write that fails is cut off again, so the lines before it are never
// damaged, and a last line without its line end is ended first, never dropped.
store::Outcome Append_History(const QString& data_folder, const History_Entry& entry);

// The history files `kept` and `added` (their bytes) as one file: the version
// line, then every job line of either once (a line both hold counts as one
// job), in order of their times; lines end in CR LF.
QByteArray Merge_History_Files(QByteArrayView kept, QByteArrayView added);

// The history as read: the job lines, newest first, kept as one decoded text
// so that even ten years of jobs open at once.
class History_Log {
public:
    History_Log() = default;
    explicit History_Log(QString text);

    int Size() const { return int(lines_.size()); }
    QStringView Line(int i) const { return QStringView(text_).mid(lines_[i].first, lines_[i].second); }
    History_Entry Entry(int i) const { return Read_History_Line(Line(i).toString()); }

private:
    QString text_;
    std::vector<std::pair<qsizetype, qsizetype>> lines_;  // start and length of each job line
};

// The history of the data folder; none when the file cannot be read (a missing
// file is an empty history). Lines end in CR LF or LF, the last one also in
// none. The version line and lines without a time are left out.
std::optional<History_Log> Read_History(const QString& data_folder);

// What the history window filters by; empty parts do not filter.
struct History_Filter {
    QString product_no;  // the number as typed; compared as four digits
    QString words;       // 品名 words, split like the product search, all must occur
    QDate from;          // first day of the job time, inclusive
    QDate to;            // last day, inclusive
};

// Indexes (into the log) of the entries that pass the filter, newest first.
std::vector<int> Filter_History(const History_Log& log, const History_Filter& filter);

}  // namespace printing
