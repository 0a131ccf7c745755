#include "platform/qt_printer_platform.h"

#include "platform/cups_queue.h"
#include "platform/cups_raster.h"

#include <QDir>
#include <QPrinterInfo>
#include <QTemporaryFile>

namespace platform {

namespace {

const QString kCupsRaster = QStringLiteral("application/vnd.cups-raster");

// The pages of a raster job in a CUPS raster file, each with the header the
// queue's PPD gives for its page size and resolution.
class Cups_Raster_Job : public Raster_Job {
public:
    Cups_Raster_Job(std::unique_ptr<Cups_Raster_File> file, std::function<Cups_Options(const QPageSize&)> options,
                    std::shared_ptr<Glyph_Dots> glyphs)
        : file_(std::move(file)), options_(std::move(options)), glyphs_(std::move(glyphs))
    {
    }
    std::unique_ptr<Dot_Page> Blank_Page(const QPageSize& page) override
    {
        QImage dots = file_->Blank_Page(options_(page));
        if (dots.isNull())
            return nullptr;
        return std::make_unique<Dot_Page>(std::move(dots), file_->Pdf_Page_Placement(page), glyphs_);
    }
    bool Add_Page(const QImage& page, int copies) override { return file_->Add_Page(page, copies); }

private:
    std::unique_ptr<Cups_Raster_File> file_;
    std::function<Cups_Options(const QPageSize&)> options_;
    std::shared_ptr<Glyph_Dots> glyphs_;  // the printer's, kept from job to job
};

// The sizes of the pages, in their order.
QList<QPageSize> Sizes_Of(const Ppd_Pages& pages)
{
    QList<QPageSize> sizes;
    for (const Ppd_Pages::Size& size : pages.sizes)
        sizes << size.size;
    return sizes;
}

}  // namespace

std::unique_ptr<Cups_Printer> Cups_Printer::Open(const QString& queue, const Queue_State& state,
                                                 Raster_Jobs raster_jobs)
{
    // The queue's one PPD gives its pages and its driver: nothing else is asked of the scheduler.
    auto ppd =
        std::make_unique<QTemporaryFile>(QDir(QDir::tempPath()).filePath(QStringLiteral("foodlabel-ppd-XXXXXX.ppd")));
    QByteArray ppd_text;
    Ppd_Pages pages;
    if (ppd->open() && Fetch_Queue_Ppd(queue, *ppd) && ppd->flush() && ppd->seek(0)) {
        ppd_text = ppd->readAll();
        pages = Read_Ppd_Pages(ppd->fileName());
    }
    return std::unique_ptr<Cups_Printer>(new Cups_Printer(queue, state, pages, std::move(ppd), ppd_text, raster_jobs));
}

Cups_Printer::Cups_Printer(const QString& queue, const Queue_State& state, const Ppd_Pages& pages,
                           std::unique_ptr<QTemporaryFile> ppd, const QByteArray& ppd_text, Raster_Jobs raster_jobs)
    : Paged_Printer(queue, Number_Paper_Sizes(Sizes_Of(pages)),
                    state.default_resolution > 0 ? state.default_resolution : kUnknownResolution),
      default_page_(QPageSize::A4), ppd_(std::move(ppd)), raster_driver_(Ppd_Has_Raster_Driver(ppd_text)),
      manual_copies_(Ppd_Leaves_Copies_To_Filters(ppd_text)), resolution_known_(state.default_resolution > 0),
      config_change_time_(state.config_change_time), raster_jobs_(raster_jobs)
{
    bool default_found = false;
    for (const Ppd_Pages::Size& size : pages.sizes) {
        if (!ppd_choices_.contains(size.size.key()))
            ppd_choices_.insert(size.size.key(), size.choice);
        if (!default_found && size.choice == pages.default_choice) {
            default_page_ = size.size;
            default_found = true;
        }
    }
    if (pages.custom_sizes)
        Accept_Label_Sizes(pages.custom_minimum_mm, pages.custom_maximum_mm);
    for (const Paper_Size& paper : Paper_Sizes())
        if (paper.size.key() == default_page_.key()) {
            Set_Default_Paper_Number(paper.number);
            break;
        }
}

void Cups_Printer::Queried(const Queue_State& state) const
{
    state_ = state;
    state_age_.start();
}

QString Cups_Printer::Page_Size_Option(const QPageSize& page) const
{
    // A page of the label's size goes as the PPD's custom size in millimetres, which
    // the queue prints exactly ("media=" sizes are rounded to whole points); any
    // other page under its PPD name.
    if (!Is_Label_Page(page))
        return ppd_choices_.value(page.key(), page.key());
    const QSizeF mm = page.definitionSize();
    return QStringLiteral("Custom.%1x%2mm").arg(mm.width()).arg(mm.height());
}

bool Cups_Printer::Ready(QString& error) const
{
    // Each request costs a round trip to the scheduler: a state of the last
    // second serves the job's start and its sending.
    constexpr qint64 kFresh = 1000;  // ms
    if (!state_age_.isValid() || state_age_.hasExpired(kFresh))
        Queried(Query_Queue(Name()));
    error = Queue_Problem(Name(), state_);
    return error.isEmpty();
}

QString Cups_Printer::Job_File_Path(QString& error)
{
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("foodlabel-job-XXXXXX")));
    file.setAutoRemove(false);
    if (!file.open()) {
        error = QStringLiteral("プリンタ「%1」の印刷データを一時フォルダに書けません").arg(Name());
        return {};
    }
    return file.fileName();
}

Cups_Options Cups_Printer::Page_Options(const QPageSize& page) const
{
    Cups_Options options = {{QStringLiteral("PageSize"), Page_Size_Option(page)}};
    if (resolution_known_)
        options.push_back({QStringLiteral("Resolution"), QStringLiteral("%1dpi").arg(Resolution())});
    return options;
}

std::unique_ptr<Raster_Job> Cups_Printer::Open_Raster_Job(const QString& path, const QPageSize& page)
{
    if (!raster_driver_ || raster_jobs_ == Raster_Jobs::Never)
        return nullptr;
    if (!raster_ppd_)
        raster_ppd_ = Raster_Ppd::Open(ppd_->fileName());
    QString error;
    auto file = raster_ppd_ ? Cups_Raster_File::Open(raster_ppd_, path, error) : nullptr;
    if (!file || file->Blank_Page(Page_Options(page)).isNull())
        return nullptr;  // drawn as PDF, which the queue rasterises itself
    if (!glyph_dots_ || glyph_dots_->Dpi() != Resolution())
        glyph_dots_ = std::make_shared<Glyph_Dots>(Resolution());
    return std::make_unique<Cups_Raster_Job>(
        std::move(file), [this](const QPageSize& size) { return Page_Options(size); }, glyph_dots_);
}

Job_Result Cups_Printer::Deliver(const QString& job_path, const QPageSize& page, int copies, bool raster)
{
    Cups_Options options = Page_Options(page);
    options.push_back({QStringLiteral("copies"), QString::number(copies)});
    if (raster)
        options.push_back({QStringLiteral("document-format"), kCupsRaster});
    const Submission submission = Submit_File(Name(), job_path, QStringLiteral("ラベル"), options);
    if (submission.job_id == 0) {
        // A scheduler gone or a queue stopped since it was last asked is told in its own words.
        Queried(Query_Queue(Name()));
        if (QString problem; !Ready(problem))
            return {false, problem, {}};
        return {false, QStringLiteral("プリンタ「%1」に送信できませんでした：%2").arg(Name(), submission.error), {}};
    }
    return {true, {}, QStringLiteral("%1-%2").arg(Name()).arg(submission.job_id)};
}

QStringList Cups_Queues::Names() const
{
    return QPrinterInfo::availablePrinterNames();
}

bool Cups_Queues::Has(const QString& name) const
{
    return Query_Queue(name).found;
}

Paged_Printer* Cups_Queues::Open(const QString& name)
{
    // The scheduler is asked once; Qt asks again for a queue it reads anew.
    const Queue_State state = Query_Queue(name);
    const auto known = queues_.find(name);
    if (known != queues_.end() && state.found && state.config_change_time != 0
        && known->second->Config_Change_Time() == state.config_change_time) {
        known->second->Queried(state);
        return known->second.get();
    }
    std::unique_ptr<Cups_Printer> queue = state.found ? Cups_Printer::Open(name, state, raster_jobs_) : nullptr;
    if (!queue) {
        queues_.erase(name);
        return nullptr;
    }
    queue->Queried(state);
    auto& kept = queues_[name];
    kept = std::move(queue);
    return kept.get();
}

}  // namespace platform
