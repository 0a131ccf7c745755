#pragma once
// The CUPS queues, reached through Qt PrintSupport and libcups. The
// application loads them from a module of their own (printer_module.h).
#include "platform/cups_queue.h"
#include "platform/glyph_dots.h"
#include "platform/system_printers.h"

#include <QElapsedTimer>
#include <QHash>
#include <QTemporaryFile>

#include <map>
#include <memory>

namespace platform {

class Raster_Ppd;

// One CUPS queue: the paper sizes, default page and custom page sizes of its
// PPD (read as Qt PrintSupport reads them), whether its driver takes raster, the queue's default
// resolution. A job is drawn as CUPS raster at that resolution when the driver
// takes raster (its filter reads it directly), otherwise as PDF, and submitted
// with the chosen page size (with no paper number, the label's own size when
// the PPD takes custom sizes), the copy count and the resolution as job
// options. A queue that is stopped, rejects jobs or cannot be reached gets no job.
// Whether a queue whose driver takes raster gets its jobs as raster (else as
// PDF, which the queue rasterises itself: a way to compare the two).
enum class Raster_Jobs { Where_The_Driver_Takes_Them, Never };

class Cups_Printer : public Paged_Printer {
public:
    // The queue as `state` (just queried) and its PPD describe it.
    static std::unique_ptr<Cups_Printer> Open(const QString& queue, const Queue_State& state,
                                              Raster_Jobs raster_jobs = Raster_Jobs::Where_The_Driver_Takes_Them);
    bool Raster_Driver() const override { return raster_driver_; }
    // When the queue's settings had last changed as this object read them (0 unknown).
    int Config_Change_Time() const { return config_change_time_; }
    // What the scheduler has just said about the queue: a job begun or sent
    // within a second takes it as it is instead of asking again.
    void Queried(const Queue_State& state) const;

protected:
    QPageSize Default_Page_Size() const override { return default_page_; }
    // CUPS makes the copies of a PDF job; a raster driver makes them unless its
    // PPD leaves them to the filters before it (cupsManualCopies).
    bool Device_Makes_Copies(bool raster) const override { return !raster || !manual_copies_; }
    bool Ready(QString& error) const override;
    QString Job_File_Path(QString& error) override;
    std::unique_ptr<Raster_Job> Open_Raster_Job(const QString& path, const QPageSize& page) override;
    Job_Result Deliver(const QString& job_path, const QPageSize& page, int copies, bool raster) override;

private:
    Cups_Printer(const QString& queue, const Queue_State& state, const Ppd_Pages& pages,
                 std::unique_ptr<QTemporaryFile> ppd, const QByteArray& ppd_text, Raster_Jobs raster_jobs);
    // The page size and resolution of a job as CUPS options.
    Cups_Options Page_Options(const QPageSize& page) const;
    // The PageSize option of a page.
    QString Page_Size_Option(const QPageSize& page) const;

    QPageSize default_page_;
    QHash<QString, QString> ppd_choices_;     // the PPD's name of each size, by its key
    std::unique_ptr<QTemporaryFile> ppd_;     // the queue's PPD as read with its settings
    std::shared_ptr<Raster_Ppd> raster_ppd_;  // parsed at the first raster job
    std::shared_ptr<Glyph_Dots> glyph_dots_;  // the glyph pictures of its raster jobs, made once
    bool raster_driver_ = false;
    bool manual_copies_ = false;
    bool resolution_known_ = false;
    int config_change_time_ = 0;
    Raster_Jobs raster_jobs_;
    mutable Queue_State state_;
    mutable QElapsedTimer state_age_;
};

// The CUPS queues as Qt PrintSupport lists them.
class Cups_Queues : public Print_Queues {
public:
    explicit Cups_Queues(Raster_Jobs raster_jobs = Raster_Jobs::Where_The_Driver_Takes_Them) : raster_jobs_(raster_jobs)
    {
    }
    QStringList Names() const override;
    // Asks the scheduler for that queue alone.
    bool Has(const QString& name) const override;
    // The queue's sizes, resolution and driver as they are now: read again
    // whenever the queue's settings have changed since they were last read.
    Paged_Printer* Open(const QString& name) override;

private:
    Raster_Jobs raster_jobs_;
    std::map<QString, std::unique_ptr<Cups_Printer>> queues_;
};

// The CUPS queues and the built-in PDF printer, in this process.
class Qt_Printer_Platform : public System_Printers {
public:
    explicit Qt_Printer_Platform(std::function<QString()> pdf_output_folder,
                                 Raster_Jobs raster_jobs = Raster_Jobs::Where_The_Driver_Takes_Them)
        : System_Printers(std::move(pdf_output_folder), std::make_unique<Cups_Queues>(raster_jobs))
    {
    }
};

}  // namespace platform
