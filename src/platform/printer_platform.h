#pragma once
// The printers the application can print on, as the core sees them: a finder
// of the installed printers, one printer with its paper sizes by number, its
// copy count and resolution, and a print job on its pages.
// QtCore/QtGui types only, so that core code can drive a print run.
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;

namespace platform {

// Device name of the application's own printer that writes each job as a PDF
// file into "印刷データ" in the data folder.
inline const QString kBuilt_In_Pdf_Printer = QStringLiteral("ぱるべりなPDFプリンタ");
inline const QString kPdf_Output_Folder_Name = QStringLiteral("印刷データ");

constexpr double kTwipsPerInch = 1440.0;
constexpr int kUnknownResolution = 300;  // dots per inch when the printer reports none

// One paper size of a printer under its number.
struct Paper_Size {
    int number = 0;
    QPageSize size;  // exactly as the printer reports it (its key selects it on the printer)

    QSizeF Twips() const;  // page width and height in twips
};

// Width and height of a page size in twips.
QSizeF Page_Twips(const QPageSize& size);

// The page of a label of that size (millimetres), and whether a page is one.
QPageSize Label_Page_Size(const QSizeF& size_mm);
bool Is_Label_Page(const QPageSize& size);

// Numbers the sizes of one printer in the printer's order as Windows numbers
// them: a size whose Windows paper id is 1 to 255 keeps that number unless an
// earlier size already took it; every other size gets 256, 257, ...
std::vector<Paper_Size> Number_Paper_Sizes(const QList<QPageSize>& sizes);

// The outcome of ending a print job.
struct Job_Result {
    bool sent = false;
    QString error;   // why the job could not be submitted (names the printer)
    QString output;  // where the job went: CUPS job id or the PDF file written
};

// One print job on one printer, begun on its first page. Pages go to the
// painter; New_Page() starts a further one; End() hands the pages to the
// spooler (or the PDF file). A job dropped before End() leaves nothing. It
// must not outlive the printer that began it.
class Print_Job {
public:
    virtual ~Print_Job() = default;
    // The active painter on the current page.
    virtual QPainter& Painter() = 0;
    // Finishes the page and starts another of the printer's current page size.
    virtual bool New_Page() = 0;
    // Ends the job and sends it; the job takes no further pages.
    virtual Job_Result End() = 0;
};

// One printer as it is now: its paper sizes by number, and the page, copies
// and resolution its next job takes.
class Printer {
public:
    virtual ~Printer() = default;
    virtual QString Name() const = 0;

    // Paper sizes of the printer; its accepted numbers are exactly these.
    virtual std::vector<Paper_Size> Paper_Sizes() const = 0;
    // Sets the paper size by number; false (the size stays) when the printer
    // has no size with that number.
    virtual bool Set_Paper_Number(int number) = 0;
    // Number of the current paper size; 0 when the page has no number (a
    // label-sized page).
    virtual int Paper_Number() const = 0;
    // Width and height of the current page in twips.
    virtual QSizeF Page_Size_Twips() const = 0;
    // The size of the label about to be printed, in millimetres (width across,
    // length down the page); a printer without a chosen paper size makes its
    // pages that size when it can.
    virtual void Set_Label_Size_mm(const QSizeF& size) = 0;
    // Whether the current page is the label's own size: no paper size is
    // chosen and the printer takes pages of that size. Otherwise, with no paper
    // size chosen, the page is the printer's default.
    virtual bool Label_Sized_Page() const = 0;

    // Asks for n copies of every page of the job, made by the printer or by
    // repeating the pages in the job, so that a page is drawn once however many
    // copies it has; returns the copies the job will hold (1 when the printer
    // can make none).
    virtual int Set_Copy_Count(int copies) = 0;
    // The same, each copy a page of its own as the printer receives the job,
    // wherever the printer cannot be relied on to print copies apart (a PDF
    // device that may be a file); a raster driver makes them itself.
    virtual int Set_Page_Copies(int copies) = 0;
    // Dots per inch of the printer's page (the queue's default resolution).
    virtual int Resolution() const = 0;
    // Whether the printer's driver turns each page into dots at Resolution()
    // (a CUPS raster driver), painting every dot a shape touches. A PDF or
    // PostScript device keeps the page as drawn, to be printed at any resolution.
    virtual bool Raster_Driver() const = 0;

    // Begins a job on the current page; null when the printer cannot take one
    // now (`error` says why, naming the printer).
    virtual std::unique_ptr<Print_Job> Begin_Job(QString& error) = 0;
};

// Finds the printers of this machine.
class Printer_Finder {
public:
    virtual ~Printer_Finder() = default;
    // Device names of the installed printers, in the system's order.
    virtual QStringList Installed_Printers() const = 0;
    // Whether a printer has exactly this device name.
    virtual bool Has_Printer(const QString& device_name) const { return Installed_Printers().contains(device_name); }
    // The printer with exactly this device name, on its own paper size with
    // one copy; null when there is none. It lives until the next call for the
    // same name or the end of the finder, and so must any job it began.
    virtual Printer* Find_Printer(const QString& device_name) = 0;
};

}  // namespace platform
