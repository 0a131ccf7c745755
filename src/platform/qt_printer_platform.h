#pragma once
// The printers of this machine: the CUPS queues, reached through Qt
// PrintSupport and libcups, and the application's own PDF printer.
#include "platform/paged_printer.h"

#include <QPrinterInfo>

#include <map>
#include <memory>

namespace platform {

// One CUPS queue: the paper sizes, default page and custom page sizes that Qt
// reads from its PPD, whether its driver takes raster, the queue's default resolution; a job is drawn as PDF and
// submitted with the chosen page size (with no paper number, the label's own
// size when the PPD takes custom sizes), the copy count and the resolution as
// job options. A queue that is stopped, rejects jobs or cannot be reached gets no job.
class Cups_Printer : public Paged_Printer {
public:
    explicit Cups_Printer(const QString& queue);
    bool Raster_Driver() const override { return raster_driver_; }

protected:
    QPageSize Default_Page_Size() const override { return default_page_; }
    int Copies_Made(int requested) const override { return requested; }
    bool Ready(QString& error) const override;
    QString Job_File_Path(QString& error) override;
    Job_Result Deliver(const QString& pdf_path, const QPageSize& page, int copies) override;

private:
    Cups_Printer(const QString& queue, const QPrinterInfo& info, int resolution);

    QPageSize default_page_;
    bool raster_driver_ = false;
    bool resolution_known_ = false;
};

class Qt_Printer_Platform : public Printer_Switch {
public:
    // `pdf_output_folder` gives the folder of the built-in PDF printer's files
    // ("印刷データ" in the data folder) when a job starts.
    explicit Qt_Printer_Platform(std::function<QString()> pdf_output_folder);
    ~Qt_Printer_Platform() override;

    // The CUPS queues, then the built-in PDF printer.
    QStringList Installed_Printers() const override;
    Pdf_File_Printer& Built_In_Pdf_Printer() { return pdf_; }

protected:
    Paged_Printer* Find_Printer(const QString& device_name) override;

private:
    Pdf_File_Printer pdf_;
    std::map<QString, std::unique_ptr<Cups_Printer>> queues_;
};

}  // namespace platform
