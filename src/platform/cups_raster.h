#pragma once
// A print job for a queue whose driver takes CUPS raster: the pages as dots at
// the queue's resolution, each with the page header that the queue's PPD gives
// for the job's options, so the driver's filter reads them directly and no
// PDF has to be rasterised on the way. The dots are run-length compressed,
// which keeps a label of mostly white small, and written in large blocks
// rather than a system call per line of dots.
#include "platform/cups_queue.h"

#include "platform/dot_page.h"
#include <QImage>
#include <QPageSize>
#include <QString>

#include <memory>

struct ppd_file_s;

namespace platform {

// A queue's PPD, parsed once for all the raster jobs of the queue (parsing
// costs more than drawing a label).
class Raster_Ppd {
public:
    // Null when the file cannot be read as a PPD.
    static std::shared_ptr<Raster_Ppd> Open(const QString& ppd_path);
    ~Raster_Ppd();
    Raster_Ppd(const Raster_Ppd&) = delete;
    Raster_Ppd& operator=(const Raster_Ppd&) = delete;

private:
    friend class Cups_Raster_File;
    explicit Raster_Ppd(ppd_file_s* ppd) : ppd_(ppd) { }
    ppd_file_s* ppd_;
};

class Cups_Raster_File {
public:
    // Opens `path` for writing the pages of a job for the queue whose PPD is
    // `ppd`; null when the file cannot be opened (`error` says why).
    static std::unique_ptr<Cups_Raster_File> Open(std::shared_ptr<Raster_Ppd> ppd, const QString& path, QString& error);
    ~Cups_Raster_File();
    Cups_Raster_File(const Cups_Raster_File&) = delete;
    Cups_Raster_File& operator=(const Cups_Raster_File&) = delete;

    // A white page of the dots the driver prints for these job options (page
    // size and resolution), one image pixel per dot; null when the PPD gives no page.
    QImage Blank_Page(const Cups_Options& options);
    // Where CUPS's PDF filters put a PDF page of `pdf_page` drawn as the page
    // of the last Blank_Page: Qt's PDF page is whole points, which the
    // filters centre on the queue's exact page, and Ghostscript places the
    // page's top by the page's height in whole points.
    Pdf_Placement Pdf_Page_Placement(const QPageSize& pdf_page) const;
    // Appends the page (a picture from Blank_Page, painted) as black and
    // white dots: a dot darker than mid grey is printed. `copies` goes into the
    // page header for drivers that make copies themselves.
    bool Add_Page(const QImage& page, int copies);

private:
    struct State;
    explicit Cups_Raster_File(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace platform
