#include "printing/print_run.h"

#include "layouts/layout_record.h"
#include "printing/print_history.h"
#include "render/label_composer.h"
#include "render/qt_surfaces.h"
#include "store/text_helpers.h"

#include <QPainter>

namespace printing {

namespace {

const QString kPerCopyOff = QStringLiteral("しない");
const QString kEdgeAligned = QStringLiteral("端寄せ");

// Where a line stopped.
enum class Step {
    Fine,
    Reading_Layout,   // product or layout missing
    Finding_Printer,  // no printer with the settings' name
    Printer_Refused,  // the printer did not take the job
};

class Print_Run {
public:
    Print_Run(Print_Mode mode, const Print_Run_Context& context)
        : mode_(mode), c_(context), printers_(*context.printers), answerer_(*context.answerer),
          told_default_page_(context.told_default_page ? *context.told_default_page : told_in_this_run_)
    {
    }

    Print_Issues Run(const Print_Jobs& jobs);

private:
    // Composes the copies of one job; false when the whole run must end.
    bool Print_Job_Copies(const Print_Job& job);
    bool Page_Per_Copy(const Print_Issue& issue) const;
    bool Choose_Paper(const layouts::Layout_Record& layout);
    void Tell_Default_Page();
    bool Compose(const Print_Job& job, bool new_page);
    void Report_Line(const QString& number);
    bool Send();
    // Appends the line's job to the print history, sent or refused for `reason`.
    void Record(const QString& reason = {});
    QString Refusal_Reason(const QString& number) const;

    Print_Mode mode_;
    const Print_Run_Context& c_;
    platform::Printer_Finder& printers_;
    platform::Printer* printer_ = nullptr;            // the printer of the line being printed
    std::unique_ptr<platform::Print_Job> print_job_;  // its job, from the first page to the send
    store::Answerer& answerer_;
    Step step_ = Step::Fine;
    QString job_error_;
    QString job_output_;
    History_Entry job_;
    bool length_notice_shown_ = false;
    QSet<QString> told_in_this_run_;
    QSet<QString>& told_default_page_;
    render::Label_Resources resources_;  // pictures and fonts of every label of the run
};

Print_Issues Print_Run::Run(const Print_Jobs& jobs)
{
    length_notice_shown_ = false;
    Print_Issues all, unsent;
    for (const Print_Job& job : jobs)
        all << job.issue;
    QString number;
    for (const Print_Job& job : jobs) {
        number = job.issue.product_no;
        step_ = Step::Fine;
        job_ = Job_Entry(job, c_.settings.Printer_Name());
        if (!Print_Job_Copies(job)) {
            print_job_.reset();
            Record(QStringLiteral("存在しない用紙番号を指定されました。発行を中止しました"));
            return all;
        }
        if (step_ != Step::Fine)
            print_job_.reset();  // copies composed before the job failed are not sent
        else if (mode_ == Print_Mode::Reservation && print_job_ && !Send())
            step_ = Step::Printer_Refused;
        Report_Line(number);
        if (mode_ == Print_Mode::Reservation || step_ != Step::Fine)
            Record(Refusal_Reason(number));
        if (step_ == Step::Printer_Refused)
            unsent << job.issue;
    }

    if (mode_ == Print_Mode::Immediate) {
        if (step_ != Step::Fine)
            return all;
        answerer_.Notify(QStringLiteral("登録番号:") + number + QStringLiteral("の"),
                         QStringLiteral("印刷データを送信します"), store::kInformationColour, QStringLiteral("送信"));
        if (print_job_ && !Send()) {
            step_ = Step::Printer_Refused;
            Report_Line(number);
            Record(Refusal_Reason(number));
            return all;
        }
        Record();
        return {};
    }
    if (unsent.isEmpty())
        answerer_.Notify(QStringLiteral("予約されていた全ての"), QStringLiteral("印刷データを送信しました"),
                         store::kInformationColour);
    else
        answerer_.Notify_Lines(
            QStringLiteral("予約されていた印刷データの一部を"), QStringLiteral("送信できませんでした"),
            QStringLiteral("送信できなかった予約は一覧に残しました"), QStringLiteral("はい"), store::kWarningColour);
    return unsent;
}

bool Print_Run::Page_Per_Copy(const Print_Issue& issue) const
{
    return issue.page_per_copy.value_or(c_.settings.Print_Per_Copy() != kPerCopyOff);
}

bool Print_Run::Print_Job_Copies(const Print_Job& job)
{
    const int labels = job.issue.copies;
    if (labels < 1)
        return true;
    // A product that is no longer in the file is skipped like a missing layout.
    step_ = Step::Reading_Layout;
    if (!job.Printable())
        return true;
    const layouts::Layout_Record& layout = *job.layout;
    for (int copy = 1; copy <= labels; ++copy) {
        step_ = Step::Finding_Printer;
        // The printer of an open job is kept for its further copies.
        if (!print_job_)
            printer_ = printers_.Find_Printer(c_.settings.Printer_Name());
        if (!printer_)
            return true;
        step_ = Step::Fine;
        printer_->Set_Label_Size_mm(QSizeF(layout.Number(layouts::Label_Width), layout.Number(layouts::Label_Length)));
        if (!Choose_Paper(layout))
            return false;
        // The copies of a job are the same page: it is composed once, and the
        // printer makes the copies or the job repeats the page (each copy a
        // page of its own).
        const int copies = Page_Per_Copy(job.issue) ? printer_->Set_Page_Copies(labels)
                                                    : printer_->Set_Copy_Count(labels);
        const bool per_copy = copies < labels;
        if (per_copy)
            printer_->Set_Copy_Count(1);
        if (!Compose(job, copy > 1)) {
            step_ = Step::Printer_Refused;
            return true;
        }
        if (!per_copy)
            break;
    }
    return true;
}

bool Print_Run::Choose_Paper(const layouts::Layout_Record& layout)
{
    const int layout_paper = store::Round_Half_Even(layout.Number(layouts::Layout_Paper_Number));
    if (layout_paper != 0) {
        if (layout_paper != printer_->Paper_Number() && !printer_->Set_Paper_Number(layout_paper)) {
            answerer_.Show_Message_Box(
                QStringLiteral("存在しない用紙番号を指定されました。\n当レイアウトの用紙番号指定を変更して下さい。"));
            answerer_.Show_Message_Box(QStringLiteral("発行を中止しました"));
            return false;
        }
        return true;
    }
    const int settings_paper = store::Lenient_Int(c_.settings.Paper_Number());
    if (settings_paper != 0 && settings_paper != printer_->Paper_Number())
        printer_->Set_Paper_Number(settings_paper);  // a size the printer lacks leaves its size as it is
    else if (settings_paper == 0 && !printer_->Label_Sized_Page())
        Tell_Default_Page();
    return true;
}

void Print_Run::Tell_Default_Page()
{
    const QString printer = printer_->Name();
    if (told_default_page_.contains(printer))
        return;
    told_default_page_.insert(printer);
    answerer_.Notify_Lines(QStringLiteral("プリンタ「") + printer + QStringLiteral("」は"),
                           QStringLiteral("ラベルの大きさの用紙を指定できません"),
                           QStringLiteral("プリンタの既定の用紙に印刷します"), QStringLiteral("はい"),
                           store::kWarningColour);
}

bool Print_Run::Compose(const Print_Job& job, bool new_page)
{
    const layouts::Layout_Record& layout = *job.layout;
    // Every further copy of a line gets a page of its own.
    if (print_job_ && new_page && !print_job_->New_Page()) {
        job_error_.clear();
        return false;
    }
    if (!print_job_ && !(print_job_ = printer_->Begin_Job(job_error_)))
        return false;
    QPainter* painter = &print_job_->Painter();
    painter->resetTransform();
    const int dpi = printer_->Resolution();
    render::Printer_Page_Surface surface(
        *painter, dpi, dpi, printer_->Raster_Driver() ? render::Bar_Edges::Inside_Dots : render::Bar_Edges::On_Dots,
        &resources_);
    surface.Length_Limit_mm = store::Round_Half_Even(layout.Number(layouts::Label_Length));
    surface.Length_Notice_Shown = length_notice_shown_;
    surface.Answerer = &answerer_;
    // A page made to the label's size has no paper position: nothing to centre across.
    store::Settings_Record settings = c_.settings;
    if (printer_->Paper_Number() == 0)
        settings[store::Setting::Paper_Set_Position] = kEdgeAligned;
    render::Label_Composer(surface, *job.product, layout, job.issue.values,
                           {settings, c_.data_folder, &answerer_, job.date, &resources_});
    length_notice_shown_ = surface.Length_Notice_Shown;
    return true;
}

bool Print_Run::Send()
{
    const platform::Job_Result result = print_job_->End();
    print_job_.reset();
    if (!result.sent)
        job_error_ = result.error;
    job_output_ = result.output;
    return result.sent;
}

QString Print_Run::Refusal_Reason(const QString& number) const
{
    switch (step_) {
    case Step::Reading_Layout:
        return QStringLiteral("登録番号:") + number + QStringLiteral("で指定されているレイアウトは存在しません");
    case Step::Finding_Printer:
        return QStringLiteral("プリンタが見つかりません");
    case Step::Printer_Refused:
        return QStringLiteral("印刷データを送信できませんでした ") + job_error_;
    case Step::Fine:
        break;
    }
    return {};
}

void Print_Run::Record(const QString& reason)
{
    job_.time = History_Time(c_.clock());
    job_.result = reason.isEmpty() ? kHistorySent : kHistoryRefused;
    job_.reason = reason;
    job_.file = reason.isEmpty() && job_.printer == platform::kBuilt_In_Pdf_Printer ? job_output_ : QString();
    if (!job_.file.isEmpty() && c_.written_files)
        *c_.written_files << job_.file;
    const store::Outcome recorded = Append_History(c_.data_folder, job_);
    if (!recorded.Is_Done() && c_.unrecorded_jobs)
        ++*c_.unrecorded_jobs;
    answerer_.Tell(recorded);
}

void Print_Run::Report_Line(const QString& number)
{
    const QString head = QStringLiteral("登録番号:") + number;
    switch (step_) {
    case Step::Reading_Layout:
        answerer_.Notify(head + QStringLiteral("で指定されて"), QStringLiteral("いるレイアウトは存在しません"));
        break;
    case Step::Finding_Printer:
        answerer_.Notify(QStringLiteral("プリンタが見つかりません"), QStringLiteral("印刷は行なえませんでした"));
        break;
    case Step::Printer_Refused:
        answerer_.Report_Problem(head + QStringLiteral("の"), QStringLiteral("印刷データを送信できませんでした"),
                                 job_error_);
        break;
    case Step::Fine:
        if (mode_ == Print_Mode::Reservation)
            answerer_.Notify(head + QStringLiteral("の"), QStringLiteral("印刷データを送信しました"),
                             store::kInformationColour);
        return;
    }
    answerer_.Notify(head + QStringLiteral("の"), QStringLiteral("印刷が出来ませんでした"));
}

}  // namespace

Print_Issues Run_Print(const Print_Jobs& jobs, Print_Mode mode, const Print_Run_Context& context)
{
    return Print_Run(mode, context).Run(jobs);
}

}  // namespace printing
