#pragma once
// A printer platform double: printers with the paper sizes a test gives them,
// whose jobs are drawn like real ones (PDF in a temporary folder) and then
// recorded instead of being sent.
#include "platform/paged_printer.h"

#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace test_support {

struct Fake_Printer {
    QString name;
    QList<QPageSize> sizes = {};  // numbered as the real platform numbers them
    int default_index = 0;        // the printer's own size, an index into `sizes`
    int resolution = 203;
    bool makes_copies = true;
    QString refusal = {};     // when set, every job is refused with this text
    bool label_sizes = true;  // with no paper chosen, pages of the label's size (10 to 300 mm)
};

struct Sent_Job {
    QString printer;
    int copies = 0;
    int pages = 0;
    QSizeF page_mm;  // size of the job's first page
    QByteArray pdf;
};

class Recording_Printer : public platform::Paged_Printer {
public:
    Recording_Printer(const Fake_Printer& printer, std::vector<Sent_Job>& sent, const QString& folder);

protected:
    QPageSize Default_Page_Size() const override { return default_page_; }
    bool Device_Makes_Copies(bool) const override { return makes_copies_; }
    bool Ready(QString& error) const override;
    QString Job_File_Path(QString& error) override;
    platform::Job_Result Deliver(const QString& pdf_path, const QPageSize& page, int copies, bool raster) override;

private:
    QPageSize default_page_;
    bool makes_copies_;
    QString refusal_;
    std::vector<Sent_Job>& sent_;
    QString folder_;
    int jobs_ = 0;
};

class Fake_Printer_Platform : public platform::Printer_Finder {
public:
    explicit Fake_Printer_Platform(const std::vector<Fake_Printer>& printers);

    QStringList Installed_Printers() const override;
    platform::Printer* Find_Printer(const QString& device_name) override;

    std::vector<Sent_Job> sent;

private:
    QTemporaryDir folder_;
    std::vector<std::unique_ptr<Recording_Printer>> printers_;
};

// Pages of a PDF written by Qt.
int Pdf_Page_Count(const QByteArray& pdf);
// Distinct drawings (content streams) the pages of such a PDF refer to.
int Pdf_Content_Streams(const QByteArray& pdf);

}  // namespace test_support
