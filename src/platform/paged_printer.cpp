#include "platform/paged_printer.h"

#include "platform/pdf_copies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

#include <sys/file.h>

namespace platform {

QSizeF Page_Twips(const QPageSize& size)
{
    // From the size as defined, without the rounding of QPageSize::size().
    const QSizeF defined = size.definitionSize();
    switch (size.definitionUnits()) {
    case QPageSize::Millimeter:
        return defined / 25.4 * kTwipsPerInch;
    case QPageSize::Point:
        return defined * 20.0;
    case QPageSize::Inch:
        return defined * kTwipsPerInch;
    default:
        return size.size(QPageSize::Millimeter) / 25.4 * kTwipsPerInch;
    }
}

namespace {

const QString kLabelPageName = QStringLiteral("Label");

}  // namespace

QPageSize Label_Page_Size(const QSizeF& size_mm)
{
    return QPageSize(size_mm, QPageSize::Millimeter, kLabelPageName, QPageSize::ExactMatch);
}

bool Is_Label_Page(const QPageSize& size)
{
    return size.name() == kLabelPageName && size.definitionUnits() == QPageSize::Millimeter;
}

QSizeF Paper_Size::Twips() const
{
    return Page_Twips(size);
}

std::vector<Paper_Size> Number_Paper_Sizes(const QList<QPageSize>& sizes)
{
    std::vector<Paper_Size> numbered;
    std::vector<bool> taken(256, false);
    int next_free = 256;
    for (const QPageSize& size : sizes) {
        const int id = size.windowsId();
        int number;
        if (id >= 1 && id <= 255 && !taken[id]) {
            taken[id] = true;
            number = id;
        } else {
            number = next_free++;
        }
        numbered.push_back({number, size});
    }
    return numbered;
}

Paged_Printer::Paged_Printer(QString name, std::vector<Paper_Size> papers, int resolution)
    : name_(std::move(name)), papers_(std::move(papers)), resolution_(resolution > 0 ? resolution : kUnknownResolution)
{
}

bool Paged_Printer::Set_Paper_Number(int number)
{
    const auto found = std::find_if(papers_.begin(), papers_.end(),
                                    [number](const Paper_Size& paper) { return paper.number == number; });
    if (found == papers_.end())
        return false;
    paper_number_ = number;
    return true;
}

void Paged_Printer::Accept_Label_Sizes(const QSizeF& minimum, const QSizeF& maximum)
{
    label_minimum_mm_ = minimum;
    label_maximum_mm_ = maximum;
}

bool Paged_Printer::Label_Sized_Page() const
{
    constexpr double kTolerance = 0.01;  // mm
    return paper_number_ == 0 && !label_maximum_mm_.isEmpty() && label_mm_.width() > 0 && label_mm_.height() > 0
        && label_mm_.width() >= label_minimum_mm_.width() - kTolerance
        && label_mm_.height() >= label_minimum_mm_.height() - kTolerance
        && label_mm_.width() <= label_maximum_mm_.width() + kTolerance
        && label_mm_.height() <= label_maximum_mm_.height() + kTolerance;
}

int Paged_Printer::Paper_Number() const
{
    if (paper_number_ != 0)
        return paper_number_;
    return Label_Sized_Page() ? 0 : default_number_;
}

QPageSize Paged_Printer::Current_Page_Size() const
{
    for (const Paper_Size& paper : papers_)
        if (paper_number_ != 0 && paper.number == paper_number_)
            return paper.size;
    return Label_Sized_Page() ? Label_Page_Size(label_mm_) : Default_Page_Size();
}

QSizeF Paged_Printer::Page_Size_Twips() const
{
    return Page_Twips(Current_Page_Size());
}

void Paged_Printer::Reset()
{
    paper_number_ = 0;
    copies_ = 1;
    copies_as_pages_ = false;
}

int Paged_Printer::Set_Copy_Count(int copies)
{
    copies_ = std::max(1, copies);
    copies_as_pages_ = false;
    return copies_;
}

int Paged_Printer::Set_Page_Copies(int copies)
{
    copies_ = std::max(1, copies);
    copies_as_pages_ = true;
    return copies_;
}

bool Paged_Printer::Repeats_Pages(bool raster) const
{
    // A raster driver that makes copies prints each one as a label of its own;
    // a PDF device may be a file, which takes no copies.
    if (copies_ <= 1 || Device_Makes_Copies(raster))
        return copies_ > 1 && copies_as_pages_ && !raster;
    return true;
}

std::unique_ptr<Raster_Job> Paged_Printer::Open_Raster_Job(const QString&, const QPageSize&)
{
    return nullptr;
}

// The pages of one job: a PDF writer, or pictures of dots for a raster job,
// with one painter on the page being drawn.
class Paged_Job : public Print_Job {
public:
    Paged_Job(Paged_Printer& printer, QString path) : printer_(printer), path_(std::move(path)) { }
    ~Paged_Job() override;
    Paged_Job(const Paged_Job&) = delete;
    Paged_Job& operator=(const Paged_Job&) = delete;

    // Opens the job file on its first page; false when it cannot be written.
    bool Begin();
    QPainter& Painter() override { return painter_; }
    bool New_Page() override;
    Job_Result End() override;

private:
    // Starts the painter on a new page of the raster job, and adds it finished.
    bool Begin_Raster_Page();
    bool Add_Raster_Page();
    void Close_Writer();
    QString Unwritable() const;

    Paged_Printer& printer_;
    QString path_;
    QPageSize first_page_;
    QPainter painter_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<Raster_Job> raster_;
    std::unique_ptr<Dot_Page> raster_page_;  // the page being painted
    bool ended_ = false;
};

std::unique_ptr<Print_Job> Paged_Printer::Begin_Job(QString& error)
{
    error.clear();
    if (!Ready(error))
        return nullptr;
    const QString path = Job_File_Path(error);
    if (path.isEmpty())
        return nullptr;
    auto job = std::make_unique<Paged_Job>(*this, path);
    if (!job->Begin()) {
        job.reset();  // removes the file
        error = QStringLiteral("プリンタ「%1」の印刷データを %2 に書けません").arg(name_, path);
        return nullptr;
    }
    return job;
}

Paged_Job::~Paged_Job()
{
    if (ended_)
        return;
    Close_Writer();
    QFile::remove(path_);
}

QString Paged_Job::Unwritable() const
{
    return QStringLiteral("プリンタ「%1」の印刷データを %2 に書けません").arg(printer_.name_, path_);
}

bool Paged_Job::Begin()
{
    first_page_ = printer_.Current_Page_Size();
    raster_ = printer_.Open_Raster_Job(path_, first_page_);
    if (raster_)
        return Begin_Raster_Page();
    writer_ = std::make_unique<QPdfWriter>(path_);
    writer_->setCreator(printer_.name_);
    writer_->setResolution(printer_.resolution_);
    writer_->setPageLayout(QPageLayout(first_page_, QPageLayout::Portrait, QMarginsF()));
    return painter_.begin(writer_.get());
}

bool Paged_Job::Begin_Raster_Page()
{
    raster_page_ = raster_->Blank_Page(printer_.Current_Page_Size());
    if (!raster_page_ || !painter_.begin(raster_page_.get()))
        return false;
    // The driver prints whole dots: every dot is painted black or left white.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    return true;
}

bool Paged_Job::New_Page()
{
    if (!painter_.isActive())
        return false;
    if (raster_)
        return Add_Raster_Page() && Begin_Raster_Page();
    writer_->setPageLayout(QPageLayout(printer_.Current_Page_Size(), QPageLayout::Portrait, QMarginsF()));
    return writer_->newPage();
}

bool Paged_Job::Add_Raster_Page()
{
    painter_.end();
    const int copies = printer_.copies_;
    if (!printer_.Repeats_Pages(true))
        return raster_->Add_Page(raster_page_->Dots(), copies);
    for (int copy = 0; copy < copies; ++copy)
        if (!raster_->Add_Page(raster_page_->Dots(), 1))
            return false;
    return true;
}

void Paged_Job::Close_Writer()
{
    if (painter_.isActive())
        painter_.end();
    writer_.reset();
    raster_.reset();
    raster_page_.reset();
}

Job_Result Paged_Job::End()
{
    if (ended_ || !painter_.isActive())
        return {false, QStringLiteral("プリンタ「%1」に送る印刷データがありません").arg(printer_.name_), {}};
    ended_ = true;
    const bool raster = raster_ != nullptr;
    const bool repeated = printer_.Repeats_Pages(raster);
    const int copies = printer_.copies_;
    bool written = !raster || Add_Raster_Page();
    Close_Writer();
    if (written && repeated && !raster)
        written = Append_Page_Copies(path_, copies);
    QString error;
    Job_Result result = !written ? Job_Result{false, Unwritable(), {}}
        : printer_.Ready(error)  ? printer_.Deliver(path_, first_page_, repeated ? 1 : copies, raster)
                                 : Job_Result{false, error, {}};
    QFile::remove(path_);
    return result;
}

QString Unique_Pdf_Name(const QString& folder, const QDateTime& time)
{
    const QDir dir(folder);
    const QString stem = time.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString name = stem + QStringLiteral(".pdf");
    for (int n = 2; QFile::exists(dir.filePath(name)) || QFile::exists(dir.filePath(name + QStringLiteral(".part")));
         ++n)
        name = stem + QStringLiteral("-%1.pdf").arg(n);
    return name;
}

namespace {

// A4, A5, B5 (JIS, as Windows' B5) and Letter under their Windows numbers.
std::vector<Paper_Size> Pdf_Papers()
{
    return Number_Paper_Sizes({QPageSize(QPageSize::A4), QPageSize(QPageSize::A5), QPageSize(QPageSize::JisB5),
                               QPageSize(QPageSize::Letter)});
}

constexpr int kPdfResolution = 600;

}  // namespace

Pdf_File_Printer::Pdf_File_Printer(std::function<QString()> output_folder)
    : Paged_Printer(kBuilt_In_Pdf_Printer, Pdf_Papers(), kPdfResolution), output_folder_(std::move(output_folder))
{
    // Any page a PDF can hold (200 inches at most each way).
    Accept_Label_Sizes(QSizeF(1, 1), QSizeF(5080, 5080));
}

QPageSize Pdf_File_Printer::Default_Page_Size() const
{
    return QPageSize(QPageSize::A4);
}

QString Pdf_File_Printer::Job_File_Path(QString& error)
{
    const QString folder = output_file_.isEmpty() ? output_folder_() : QFileInfo(output_file_).absolutePath();
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("プリンタ「%1」の出力先 %2 を作成できません").arg(Name(), folder);
        return {};
    }
    if (output_file_.isEmpty())
        Remove_Stale_Pdf_Parts(folder);
    final_path_ = output_file_.isEmpty() ? QDir(folder).filePath(Unique_Pdf_Name(folder, QDateTime::currentDateTime()))
                                         : QFileInfo(output_file_).absoluteFilePath();
    const QString part_path = final_path_ + QStringLiteral(".part");
    // The lock tells a cleaner in another process that this job is alive; it
    // ends with the process, however that ends.
    part_lock_.close();
    part_lock_.setFileName(part_path);
    if (!part_lock_.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || ::flock(part_lock_.handle(), LOCK_EX | LOCK_NB) != 0) {
        error = QStringLiteral("プリンタ「%1」の印刷データを %2 に書けません").arg(Name(), part_path);
        part_lock_.close();
        return {};
    }
    return part_path;
}

void Remove_Stale_Pdf_Parts(const QString& folder)
{
    static const QRegularExpression own_part(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}(-\\d+)?\\.pdf\\.part$"));
    for (const QFileInfo& info :
         QDir(folder).entryInfoList({QStringLiteral("*.pdf.part")}, QDir::Files | QDir::Hidden)) {
        if (info.isSymLink() || !own_part.match(info.fileName()).hasMatch())
            continue;
        QFile part(info.filePath());
        if (part.open(QIODevice::ReadOnly) && ::flock(part.handle(), LOCK_EX | LOCK_NB) == 0)
            QFile::remove(info.filePath());
    }
}

Job_Result Pdf_File_Printer::Deliver(const QString& pdf_path, const QPageSize&, int, bool)
{
    part_lock_.close();
    // A new name is never overwritten; a named output file is replaced in one step.
    const bool moved = QFileInfo(pdf_path).size() > 0
        && (output_file_.isEmpty()
                ? QFile::rename(pdf_path, final_path_)
                : std::rename(QFile::encodeName(pdf_path).constData(), QFile::encodeName(final_path_).constData())
                    == 0);
    if (!moved)
        return {
            false, QStringLiteral("プリンタ「%1」の出力ファイル %2 を書けませんでした").arg(Name(), final_path_), {}};
    return {true, {}, final_path_};
}

}  // namespace platform
