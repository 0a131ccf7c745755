#include "platform/cups_queue.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <iterator>

#include <QFile>
#include <QTemporaryFile>

namespace platform {

Queue_State Query_Queue(const QString& queue)
{
    Queue_State state;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.toUtf8().constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-is-accepting-jobs", "printer-resolution-default",
                                         "printer-config-change-time"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", std::size(wanted), nullptr,
                  wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const ipp_status_t status = cupsLastError();
    state.reachable = response != nullptr
        || (status != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE && status != IPP_STATUS_ERROR_INTERNAL);
    if (response && ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING) {
        state.found = true;
        if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
            state.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
        if (ipp_attribute_t* a = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
            state.accepting = ippGetBoolean(a, 0);
        if (ipp_attribute_t* a = ippFindAttribute(response, "printer-resolution-default", IPP_TAG_RESOLUTION)) {
            ipp_res_t units;
            int y = 0;
            const int x = ippGetResolution(a, 0, &y, &units);
            state.default_resolution = units == IPP_RES_PER_CM ? qRound(x * 2.54) : x;
        }
        if (ipp_attribute_t* a = ippFindAttribute(response, "printer-config-change-time", IPP_TAG_INTEGER))
            state.config_change_time = ippGetInteger(a, 0);
    }
    ippDelete(response);
    return state;
}

bool Ppd_Has_Raster_Driver(const QByteArray& ppd)
{
    // *cupsFilter: "<input type> <cost> <program>" and *cupsFilter2: "<input type>
    // <output type> <cost> <program>": the input type is what the driver is fed.
    static const QByteArrayList raster_types = {"application/vnd.cups-raster", "image/pwg-raster", "image/urf"};
    for (const QByteArray& line : ppd.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.startsWith("*cupsFilter:") && !trimmed.startsWith("*cupsFilter2:"))
            continue;
        const qsizetype quote = trimmed.indexOf('"');
        if (quote < 0)
            continue;
        const QByteArray input = trimmed.mid(quote + 1).simplified().split(' ').value(0);
        if (raster_types.contains(input))
            return true;
    }
    return false;
}

namespace {

// A size as Qt names a PPD's: a PPD name Qt knows is that standard size; a
// size Qt knows (within a point) is that size; any other a custom one. The
// PPD's own text names it.
QPageSize Ppd_Page_Size(const QString& choice, const QSize& points, const QString& text)
{
    // A turned size ("A5Rotated", "A4.Transverse") counts as its standard size, as Qt counts it.
    QString name = choice;
    if (name.endsWith(QLatin1String("Rotated")))
        name.chop(7);
    else if (name.endsWith(QLatin1String(".Transverse")))
        name.chop(11);
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto known = QPageSize::PageSizeId(id);
        if (known != QPageSize::Custom && QPageSize::key(known) == name)
            return QPageSize(QPageSize::definitionSize(known), QPageSize::definitionUnits(known), text,
                             QPageSize::ExactMatch);
    }
    return QPageSize(points, text, QPageSize::FuzzyMatch);
}

}  // namespace

// libcups marks its PPD functions deprecated; they are still how a queue's
// PPD is read, so only this function is let use them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
Ppd_Pages Read_Ppd_Pages(const QString& ppd_path)
{
    Ppd_Pages pages;
    ppd_file_t* ppd = ppdOpenFile(QFile::encodeName(ppd_path).constData());
    if (!ppd)
        return pages;
    ppdMarkDefaults(ppd);
    if (ppd_option_t* option = ppdFindOption(ppd, "PageSize")) {
        for (int i = 0; i < option->num_choices; ++i) {
            const ppd_choice_t& choice = option->choices[i];
            const ppd_size_t* size = ppdPageSize(ppd, choice.choice);
            const QSize points = size ? QSize(qRound(size->width), qRound(size->length)) : QSize();
            if (points.isEmpty())
                continue;
            const QPageSize page = Ppd_Page_Size(QString::fromUtf8(size->name), points, QString::fromUtf8(choice.text));
            if (page.isValid())
                pages.sizes.push_back({QString::fromUtf8(size->name), page});
        }
    }
    if (const ppd_choice_t* marked = ppdFindMarkedChoice(ppd, "PageSize"))
        pages.default_choice = QString::fromUtf8(marked->choice);
    pages.custom_sizes = ppd->variable_sizes != 0;
    const auto millimetres = [](float width, float length) {
        return QPageSize(QSize(int(width), int(length)), QString(), QPageSize::ExactMatch).size(QPageSize::Millimeter);
    };
    pages.custom_minimum_mm = millimetres(ppd->custom_min[0], ppd->custom_min[1]);
    pages.custom_maximum_mm = millimetres(ppd->custom_max[0], ppd->custom_max[1]);
    ppdClose(ppd);
    return pages;
}
#pragma GCC diagnostic pop

bool Ppd_Leaves_Copies_To_Filters(const QByteArray& ppd)
{
    for (const QByteArray& line : ppd.split('\n'))
        if (line.startsWith("*cupsManualCopies:"))
            return line.mid(18).trimmed().startsWith("True");
    return false;
}

bool Fetch_Queue_Ppd(const QString& queue, QFile& file)
{
    const QByteArray resource = "/printers/" + queue.toUtf8() + ".ppd";
    return file.isOpen() && cupsGetFd(CUPS_HTTP_DEFAULT, resource.constData(), file.handle()) == HTTP_STATUS_OK;
}

bool Queue_Has_Raster_Driver(const QString& queue)
{
    QTemporaryFile ppd;
    if (!ppd.open() || !Fetch_Queue_Ppd(queue, ppd))
        return false;
    ppd.seek(0);
    return Ppd_Has_Raster_Driver(ppd.readAll());
}

QString Queue_Problem(const QString& queue, const Queue_State& state)
{
    if (!state.reachable)
        return QStringLiteral("プリンタ「%1」：印刷サービス(CUPS)に接続できません").arg(queue);
    if (!state.found)
        return QStringLiteral("プリンタ「%1」が印刷サービスにありません").arg(queue);
    if (state.stopped)
        return QStringLiteral("プリンタ「%1」は停止しています").arg(queue);
    if (!state.accepting)
        return QStringLiteral("プリンタ「%1」は印刷データを受け付けていません").arg(queue);
    return {};
}

Submission Submit_File(const QString& queue, const QString& path, const QString& title, const Cups_Options& options)
{
    // One Print-Job request that carries the file: cupsPrintFile2 would look
    // the queue up and read its capabilities first, then create the job and
    // send the file, four requests in all.
    QByteArray format = CUPS_FORMAT_AUTO;
    cups_option_t* cups_options = nullptr;
    int count = 0;
    for (const auto& [name, value] : options) {
        if (name == QLatin1String("document-format"))
            format = value.toUtf8();
        else
            count = cupsAddOption(name.toUtf8().constData(), value.toUtf8().constData(), count, &cups_options);
    }
    char uri[HTTP_MAX_URI], scheme[32], user[256], host[256], resource[HTTP_MAX_URI];
    int port = 0;
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.toUtf8().constData());
    httpSeparateURI(HTTP_URI_CODING_NONE, uri, scheme, sizeof scheme, user, sizeof user, host, sizeof host, &port,
                    resource, sizeof resource);
    ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.toUtf8().constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, format.constData());
    cupsEncodeOptions2(request, count, cups_options, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, count, cups_options, IPP_TAG_JOB);
    cupsFreeOptions(count, cups_options);
    ipp_t* response = cupsDoFileRequest(CUPS_HTTP_DEFAULT, request, resource, QFile::encodeName(path).constData());
    Submission submission;
    if (response && ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING)
        if (ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER))
            submission.job_id = ippGetInteger(id, 0);
    if (submission.job_id == 0)
        submission.error = QString::fromUtf8(cupsLastErrorString());
    ippDelete(response);
    return submission;
}

}  // namespace platform
