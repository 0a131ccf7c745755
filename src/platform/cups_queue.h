#pragma once
// What the CUPS scheduler says about one queue, and submitting a file to it.
#include <QByteArray>
#include <QFile>
#include <QPageSize>
#include <QSizeF>
#include <QString>

#include <utility>
#include <vector>

namespace platform {

struct Queue_State {
    bool reachable = false;  // the scheduler answered
    bool found = false;
    bool stopped = false;
    bool accepting = false;
    int default_resolution = 0;  // dots per inch; 0 when the queue reports none
    int config_change_time = 0;  // when the queue's settings last changed (seconds); 0 unknown
};

// Whether the queue's driver takes CUPS or PWG raster (its PPD's filter turns
// raster into the printer's language); false for PDF and PostScript devices and
// when the PPD cannot be had.
bool Queue_Has_Raster_Driver(const QString& queue);

// Whether the PPD says its driver makes no copies itself (*cupsManualCopies: True).
bool Ppd_Leaves_Copies_To_Filters(const QByteArray& ppd);

// Writes the queue's PPD as the scheduler has it into `file` (open for
// writing); false when the queue has none or it cannot be had.
bool Fetch_Queue_Ppd(const QString& queue, QFile& file);

// The same for the text of a PPD.
bool Ppd_Has_Raster_Driver(const QByteArray& ppd);

// The pages a PPD offers, as Qt PrintSupport reads them from a queue's PPD.
struct Ppd_Pages {
    struct Size {
        QString choice;  // the PPD's name of the size, its PageSize choice
        QPageSize size;  // under Qt's key for a standard size, named as the PPD names it
    };
    std::vector<Size> sizes;  // in the PPD's order
    QString default_choice;   // the PageSize the PPD marks as its default
    bool custom_sizes = false;
    QSizeF custom_minimum_mm;
    QSizeF custom_maximum_mm;
};

// The pages of the PPD file; none when it cannot be read.
Ppd_Pages Read_Ppd_Pages(const QString& ppd_path);

Queue_State Query_Queue(const QString& queue);

// Why a job cannot go to the queue now ("" when it can); the text names the queue.
QString Queue_Problem(const QString& queue, const Queue_State& state);

using Cups_Options = std::vector<std::pair<QString, QString>>;

struct Submission {
    int job_id = 0;  // 0 when the job was not accepted
    QString error;   // the scheduler's reason
};

Submission Submit_File(const QString& queue, const QString& path, const QString& title, const Cups_Options& options);

}  // namespace platform
