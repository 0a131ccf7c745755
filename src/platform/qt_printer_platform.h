#pragma once
// The CUPS queues, reached through Qt PrintSupport and libcups. The
// application loads them from a module of their own (printer_module.h).
#include "platform/cups_queue.h"
#include "platform/system_printers.h"

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
    // The queue as `state` (just queried) describes it.
    Cups_Printer(const QString& queue, const Queue_State& state);
    bool Raster_Driver() const override { return raster_driver_; }
    // When the queue's settings had last changed as this object read them (0 unknown).
    int Config_Change_Time() const { return config_change_time_; }

protected:
    QPageSize Default_Page_Size() const override { return default_page_; }
    int Copies_Made(int requested) const override { return requested; }
    bool Ready(QString& error) const override;
    QString Job_File_Path(QString& error) override;
    Job_Result Deliver(const QString& pdf_path, const QPageSize& page, int copies) override;

private:
    Cups_Printer(const QString& queue, const QPrinterInfo& info, const Queue_State& state);

    QPageSize default_page_;
    bool raster_driver_ = false;
    bool resolution_known_ = false;
    int config_change_time_ = 0;
};

// The CUPS queues as Qt PrintSupport lists them.
class Cups_Queues : public Print_Queues {
public:
    QStringList Names() const override;
    // The queue's sizes, resolution and driver as they are now: read again
    // whenever the queue's settings have changed since they were last read.
    Paged_Printer* Open(const QString& name) override;

private:
    std::map<QString, std::unique_ptr<Cups_Printer>> queues_;
};

// The CUPS queues and the built-in PDF printer, in this process.
class Qt_Printer_Platform : public System_Printers {
public:
    explicit Qt_Printer_Platform(std::function<QString()> pdf_output_folder)
        : System_Printers(std::move(pdf_output_folder), std::make_unique<Cups_Queues>())
    {
    }
};

}  // namespace platform
