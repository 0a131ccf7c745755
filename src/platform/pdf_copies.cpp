#include "platform/pdf_copies.h"

#include <QFile>
#include <QRegularExpression>

#include <map>
#include <optional>

namespace platform {

namespace {

// The objects of a PDF as its last cross-reference table places them.
class Pdf_Objects {
public:
    explicit Pdf_Objects(const QByteArray& pdf) : pdf_(pdf) { }

    // Reads the trailer and the table that `startxref` names; false when there is none.
    bool Read_Table()
    {
        const qsizetype start = pdf_.lastIndexOf("startxref");
        const qsizetype trailer = pdf_.lastIndexOf("trailer", start);
        if (start < 0 || trailer < 0)
            return false;
        bool ok = false;
        table_offset_ = pdf_.mid(start + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
        if (!ok || table_offset_ <= 0 || table_offset_ >= trailer || pdf_.mid(table_offset_, 4) != "xref")
            return false;
        const qsizetype open = pdf_.indexOf("<<", trailer);
        const qsizetype close = pdf_.lastIndexOf(">>", start);
        if (open < 0 || close < open)
            return false;
        trailer_ = pdf_.mid(open + 2, close - open - 2);
        const QList<QByteArray> lines = pdf_.mid(table_offset_, trailer - table_offset_).split('\n');
        for (qsizetype i = 1; i < lines.size();) {
            const QList<QByteArray> section = lines[i].simplified().split(' ');
            if (section.size() != 2)
                break;
            const int first = section[0].toInt();
            const int count = section[1].toInt();
            for (int k = 0; k < count; ++k) {
                const QList<QByteArray> entry = lines.value(i + 1 + k).simplified().split(' ');
                if (entry.size() != 3)
                    return false;
                if (entry[2] == "n")
                    offsets_[first + k] = entry[0].toLongLong();
            }
            i += 1 + count;
        }
        return !offsets_.empty();
    }

    const QByteArray& Trailer() const { return trailer_; }
    qint64 Table_Offset() const { return table_offset_; }

    // The body of object `number` between "obj" and "endobj".
    std::optional<QByteArray> Body(int number) const
    {
        const auto found = offsets_.find(number);
        if (found == offsets_.end())
            return std::nullopt;
        const QByteArray head = QByteArray::number(number) + " 0 obj";
        if (pdf_.mid(found->second, head.size()) != head)
            return std::nullopt;
        const qsizetype from = found->second + head.size();
        const qsizetype end = pdf_.indexOf("endobj", from);
        if (end < 0)
            return std::nullopt;
        return pdf_.mid(from, end - from).trimmed();
    }

private:
    const QByteArray& pdf_;
    std::map<int, qint64> offsets_;
    QByteArray trailer_;
    qint64 table_offset_ = 0;
};

// The object number of a reference "/Key N 0 R" in a dictionary; 0 when there is none.
int Reference(const QByteArray& dictionary, const char* key)
{
    const QRegularExpression pattern(QStringLiteral("/%1\\s+(\\d+)\\s+0\\s+R").arg(QLatin1String(key)));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(dictionary));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QByteArray Table_Entry(qint64 offset)
{
    return QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
}

}  // namespace

bool Append_Page_Copies(const QString& pdf_path, int copies)
{
    if (copies <= 1)
        return true;
    QFile file(pdf_path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray pdf = file.readAll();
    Pdf_Objects objects(pdf);
    if (!objects.Read_Table())
        return false;
    const QString trailer = QString::fromLatin1(objects.Trailer());
    static const QRegularExpression size_entry(QStringLiteral("/Size\\s+(\\d+)"));
    const QRegularExpressionMatch size = size_entry.match(trailer);
    const int root = Reference(objects.Trailer(), "Root");
    const std::optional<QByteArray> catalog = objects.Body(root);
    const int pages_number = catalog ? Reference(*catalog, "Pages") : 0;
    const std::optional<QByteArray> pages = objects.Body(pages_number);
    static const QRegularExpression kids_entry(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"));
    const QRegularExpressionMatch kids = pages ? kids_entry.match(QString::fromLatin1(*pages))
                                               : QRegularExpressionMatch();
    if (!size.hasMatch() || !kids.hasMatch())
        return false;

    std::vector<QByteArray> page_bodies;
    static const QRegularExpression reference(QStringLiteral("(\\d+)\\s+0\\s+R"));
    for (auto it = reference.globalMatch(kids.captured(1)); it.hasNext();) {
        const std::optional<QByteArray> page = objects.Body(it.next().captured(1).toInt());
        if (!page)
            return false;
        page_bodies.push_back(*page);
    }
    if (page_bodies.empty())
        return false;

    // The update: the further pages, the page tree with every page, its table and trailer.
    const int first_new = size.captured(1).toInt();
    int next = first_new;
    QByteArray update = "\n";
    QByteArray new_entries;
    QByteArray kid_list = kids.captured(1).toLatin1().trimmed();
    for (int copy = 2; copy <= copies; ++copy)
        for (const QByteArray& body : page_bodies) {
            new_entries += Table_Entry(pdf.size() + update.size());
            update += QByteArray::number(next) + " 0 obj\n" + body + "\nendobj\n";
            kid_list += ' ' + QByteArray::number(next++) + " 0 R";
        }
    const qint64 pages_offset = pdf.size() + update.size();
    QString tree = QString::fromLatin1(*pages);
    tree.replace(kids.capturedStart(0), kids.capturedLength(0),
                 QStringLiteral("/Kids [%1]").arg(QString::fromLatin1(kid_list)));
    static const QRegularExpression count_entry(QStringLiteral("/Count\\s+\\d+"));
    tree.replace(count_entry, QStringLiteral("/Count %1").arg(page_bodies.size() * copies));
    update += QByteArray::number(pages_number) + " 0 obj\n" + tree.toLatin1() + "\nendobj\n";

    const qint64 table_offset = pdf.size() + update.size();
    update += "xref\n" + QByteArray::number(pages_number) + " 1\n" + Table_Entry(pages_offset);
    update += QByteArray::number(first_new) + ' ' + QByteArray::number(next - first_new) + '\n' + new_entries;
    static const QRegularExpression prev_entry(QStringLiteral("/Prev\\s+\\d+"));
    QString new_trailer = trailer;
    new_trailer.replace(size_entry, QStringLiteral("/Size %1").arg(next)).remove(prev_entry);
    update += "trailer\n<<" + new_trailer.toLatin1() + "/Prev " + QByteArray::number(objects.Table_Offset())
        + "\n>>\nstartxref\n" + QByteArray::number(table_offset) + "\n%%EOF\n";
    if (file.write(update) != update.size() || !file.flush()) {
        file.resize(pdf.size());
        return false;
    }
    return true;
}

}  // namespace platform
