#pragma once
// One printer whose jobs are drawn as PDF, or as dots where its driver takes
// them: its paper sizes by number, the copy count and the resolution. A job
// holds one painter from its first page to its end; the finished job file is
// handed to the subclass, which sends it to a CUPS queue or keeps it as a
// file. A job dropped unended leaves nothing.
#include "platform/dot_page.h"
#include "platform/printer_platform.h"

#include <QDateTime>
#include <QFile>

#include <functional>
#include <memory>

namespace platform {

// The pages of a job that goes to a printer as dots.
class Raster_Job {
public:
    virtual ~Raster_Job() = default;
    // A white page of dots at the printer's resolution; null when the
    // printer cannot take that page as dots.
    virtual std::unique_ptr<Dot_Page> Blank_Page(const QPageSize& page) = 0;
    // Appends the painted page, to be printed `copies` times.
    virtual bool Add_Page(const QImage& page, int copies) = 0;
};

class Paged_Printer : public Printer {
public:
    Paged_Printer(QString name, std::vector<Paper_Size> papers, int resolution);

    QString Name() const override { return name_; }
    std::vector<Paper_Size> Paper_Sizes() const override { return papers_; }
    bool Set_Paper_Number(int number) override;
    int Paper_Number() const override;
    QSizeF Page_Size_Twips() const override;
    void Set_Label_Size_mm(const QSizeF& size) override { label_mm_ = size; }
    bool Label_Sized_Page() const override;
    int Set_Copy_Count(int copies) override;
    int Set_Page_Copies(int copies) override;
    int Resolution() const override { return resolution_; }
    bool Raster_Driver() const override { return false; }
    std::unique_ptr<Print_Job> Begin_Job(QString& error) override;

    // Back to the printer's own paper size and one copy.
    void Reset();

protected:
    // The page while no numbered size is chosen and the label's size is not taken.
    virtual QPageSize Default_Page_Size() const = 0;
    // Whether the copy count of a job (of dots, or PDF) goes to the printer,
    // which makes the copies; otherwise the job repeats its pages.
    virtual bool Device_Makes_Copies(bool raster) const = 0;
    // Whether a job can go to the printer now; `error` says why not.
    virtual bool Ready(QString& error) const = 0;
    // The file the job is drawn into.
    virtual QString Job_File_Path(QString& error) = 0;
    // A job of dots writing `path` whose first page is `page`; null when the
    // printer takes the job as PDF.
    virtual std::unique_ptr<Raster_Job> Open_Raster_Job(const QString& path, const QPageSize& page);
    // Hands the finished job file on (dots when `raster`, else PDF); `page` is
    // the size of its first page.
    virtual Job_Result Deliver(const QString& job_path, const QPageSize& page, int copies, bool raster) = 0;

    QPageSize Current_Page_Size() const;
    // The number of the printer's own default size (0: none of its numbers).
    void Set_Default_Paper_Number(int number) { default_number_ = number; }
    // The printer makes pages of any size from `minimum` to `maximum` (mm).
    void Accept_Label_Sizes(const QSizeF& minimum, const QSizeF& maximum);

private:
    friend class Paged_Job;
    // Whether the job holds each copy as a page of its own.
    bool Repeats_Pages(bool raster) const;

    QString name_;
    std::vector<Paper_Size> papers_;
    int resolution_;
    int default_number_ = 0;
    int paper_number_ = 0;     // the size chosen by number; 0 while none is
    QSizeF label_minimum_mm_;  // the page sizes the printer makes, none when empty
    QSizeF label_maximum_mm_;
    int copies_ = 1;
    bool copies_as_pages_ = false;  // each copy a page of its own, unless a raster driver makes them
    QSizeF label_mm_;
};

// The application's own printer: every job becomes a PDF file in a folder
// (the data folder's "印刷データ"). It has A4, A5, B5 and Letter under their
// Windows numbers; with no paper number chosen each page is the label's size.
// It makes copies by repeating the job's pages in the file, each copy
// referring to the drawing of its original.
class Pdf_File_Printer : public Paged_Printer {
public:
    // `output_folder` gives the folder at the time a job starts.
    explicit Pdf_File_Printer(std::function<QString()> output_folder);
    // Jobs write exactly this file (replacing it) instead of a new name in the
    // output folder; empty: back to new names.
    void Set_Output_File(const QString& path) { output_file_ = path; }

protected:
    QPageSize Default_Page_Size() const override;
    bool Device_Makes_Copies(bool) const override { return false; }
    bool Ready(QString&) const override { return true; }
    QString Job_File_Path(QString& error) override;
    Job_Result Deliver(const QString& job_path, const QPageSize& page, int copies, bool raster) override;

private:
    std::function<QString()> output_folder_;
    QString output_file_;
    QString final_path_;
    QFile part_lock_;  // the job's ".part" file, locked while the job writes it
};

// Removes the ".part" files of jobs of the built-in PDF printer in `folder`
// (new names, "20240305-090507-123.pdf.part") that no running job holds: a
// process killed while it printed leaves them behind.
void Remove_Stale_Pdf_Parts(const QString& folder);

// A new file name in the folder for a job started at that time:
// "yyyyMMdd-HHmmss-zzz.pdf", with "-2", "-3" ... when the name is taken.
QString Unique_Pdf_Name(const QString& folder, const QDateTime& time);

}  // namespace platform
