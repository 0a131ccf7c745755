#include "support/fake_printer_platform.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace test_support {

Recording_Printer::Recording_Printer(const Fake_Printer& printer, std::vector<Sent_Job>& sent, const QString& folder)
    : Paged_Printer(printer.name, platform::Number_Paper_Sizes(printer.sizes), printer.resolution),
      makes_copies_(printer.makes_copies), refusal_(printer.refusal), sent_(sent), folder_(folder)
{
    if (printer.default_index < static_cast<int>(Paper_Sizes().size())) {
        const platform::Paper_Size own = Paper_Sizes()[printer.default_index];
        default_page_ = own.size;
        Set_Default_Paper_Number(own.number);
    } else {
        default_page_ = QPageSize(QPageSize::A4);
    }
    if (printer.label_sizes)
        Accept_Label_Sizes(QSizeF(10, 10), QSizeF(300, 300));
}

bool Recording_Printer::Ready(QString& error) const
{
    error = refusal_;
    return refusal_.isEmpty();
}

QString Recording_Printer::Job_File_Path(QString&)
{
    return QDir(folder_).filePath(QStringLiteral("%1-%2.pdf").arg(sent_.size()).arg(++jobs_));
}

platform::Job_Result Recording_Printer::Deliver(const QString& pdf_path, const QPageSize& page, int copies, bool)
{
    QFile file(pdf_path);
    file.open(QIODevice::ReadOnly);
    Sent_Job job{Name(), copies, 0, page.size(QPageSize::Millimeter), file.readAll()};
    job.pages = Pdf_Page_Count(job.pdf);
    sent_.push_back(job);
    return {true, {}, pdf_path};
}

Fake_Printer_Platform::Fake_Printer_Platform(const std::vector<Fake_Printer>& printers)
{
    for (const Fake_Printer& printer : printers)
        printers_.push_back(std::make_unique<Recording_Printer>(printer, sent, folder_.path()));
}

QStringList Fake_Printer_Platform::Installed_Printers() const
{
    QStringList names;
    for (const auto& printer : printers_)
        names << printer->Name();
    return names;
}

platform::Printer* Fake_Printer_Platform::Find_Printer(const QString& device_name)
{
    for (const auto& printer : printers_)
        if (printer->Name() == device_name) {
            printer->Reset();
            return printer.get();
        }
    return nullptr;
}

int Pdf_Content_Streams(const QByteArray& pdf)
{
    static const QRegularExpression contents(QStringLiteral("/Contents\\s+(\\d+)\\s+0\\s+R"));
    QSet<QString> streams;
    for (auto it = contents.globalMatch(QString::fromLatin1(pdf)); it.hasNext();)
        streams.insert(it.next().captured(1));
    return static_cast<int>(streams.size());
}

int Pdf_Page_Count(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

}  // namespace test_support
