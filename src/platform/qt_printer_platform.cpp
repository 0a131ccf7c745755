#include "platform/qt_printer_platform.h"

#include "platform/cups_queue.h"

#include <QDir>
#include <QPrinterInfo>
#include <QTemporaryFile>

namespace platform {

namespace {

// A page of the label's size goes as the PPD's custom size in millimetres, which
// the queue prints exactly ("media=" sizes are rounded to whole points); any
// other page under its PPD name.
QString Page_Size_Option(const QPageSize& page)
{
    if (!Is_Label_Page(page))
        return page.key();
    const QSizeF mm = page.definitionSize();
    return QStringLiteral("Custom.%1x%2mm").arg(mm.width()).arg(mm.height());
}

}  // namespace

Cups_Printer::Cups_Printer(const QString& queue, const Queue_State& state)
    : Cups_Printer(queue, QPrinterInfo::printerInfo(queue), state)
{
}

Cups_Printer::Cups_Printer(const QString& queue, const QPrinterInfo& info, const Queue_State& state)
    : Paged_Printer(queue, Number_Paper_Sizes(info.supportedPageSizes()),
                    state.default_resolution > 0 ? state.default_resolution : kUnknownResolution),
      default_page_(info.defaultPageSize()),
      raster_driver_(Queue_Has_Raster_Driver(queue)),
      resolution_known_(state.default_resolution > 0),
      config_change_time_(state.config_change_time)
{
    if (!default_page_.isValid())
        default_page_ = QPageSize(QPageSize::A4);
    if (info.supportsCustomPageSizes())
        Accept_Label_Sizes(info.minimumPhysicalPageSize().size(QPageSize::Millimeter),
                           info.maximumPhysicalPageSize().size(QPageSize::Millimeter));
    for (const Paper_Size& paper : Paper_Sizes())
        if (paper.size.key() == default_page_.key()) {
            Set_Default_Paper_Number(paper.number);
            break;
        }
}

bool Cups_Printer::Ready(QString& error) const
{
    error = Queue_Problem(Name(), Query_Queue(Name()));
    return error.isEmpty();
}

QString Cups_Printer::Job_File_Path(QString& error)
{
    QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("foodlabel-job-XXXXXX.pdf")));
    file.setAutoRemove(false);
    if (!file.open()) {
        error = QStringLiteral("プリンタ「%1」の印刷データを一時フォルダに書けません").arg(Name());
        return {};
    }
    return file.fileName();
}

Job_Result Cups_Printer::Deliver(const QString& pdf_path, const QPageSize& page, int copies)
{
    Cups_Options options = {{QStringLiteral("PageSize"), Page_Size_Option(page)},
                            {QStringLiteral("copies"), QString::number(copies)}};
    if (resolution_known_)
        options.push_back({QStringLiteral("Resolution"), QStringLiteral("%1dpi").arg(Resolution())});
    const Submission submission = Submit_File(Name(), pdf_path, QStringLiteral("ラベル"), options);
    if (submission.job_id == 0)
        return {false,
                QStringLiteral("プリンタ「%1」に送信できませんでした：%2").arg(Name(), submission.error),
                {}};
    return {true, {}, QStringLiteral("%1-%2").arg(Name()).arg(submission.job_id)};
}

QStringList Cups_Queues::Names() const
{
    return QPrinterInfo::availablePrinterNames();
}

Paged_Printer* Cups_Queues::Open(const QString& name)
{
    const Queue_State state = Query_Queue(name);
    const auto known = queues_.find(name);
    if (known != queues_.end() && state.found && state.config_change_time != 0
        && known->second->Config_Change_Time() == state.config_change_time)
        return known->second.get();
    if (!Names().contains(name))
        return nullptr;
    auto& queue = queues_[name];
    queue = std::make_unique<Cups_Printer>(name, state);
    return queue.get();
}

}  // namespace platform
