#include "cups_jobs.h"

#include <cups/cups.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

namespace e2e {

bool Scheduler_Running()
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-r")});
    lpstat.waitForFinished(10000);
    return QString::fromLocal8Bit(lpstat.readAllStandardOutput()).contains(QStringLiteral("is running"));
}

int Job_Id(const QString& job_name)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("-(\\d+)$")).match(job_name);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

Job_Facts Query_Job(int job_id)
{
    Job_Facts facts;
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d", job_id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (response && ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING) {
        facts.found = true;
        if (ipp_attribute_t* a = ippFindAttribute(response, "copies", IPP_TAG_INTEGER))
            facts.copies = ippGetInteger(a, 0);
        else
            facts.copies = 1;  // the attribute is left out when it is 1
        if (ipp_attribute_t* a = ippFindAttribute(response, "job-state", IPP_TAG_ENUM))
            facts.state = ippGetInteger(a, 0);
        if (ipp_attribute_t* a = ippFindAttribute(response, "Resolution", IPP_TAG_ZERO))
            facts.resolution = QString::fromUtf8(ippGetString(a, 0, nullptr));
        if (ipp_attribute_t* a = ippFindAttribute(response, "PageSize", IPP_TAG_ZERO))
            facts.page_size = QString::fromUtf8(ippGetString(a, 0, nullptr));
        if (ipp_attribute_t* a = ippFindAttribute(response, "job-printer-uri", IPP_TAG_URI))
            facts.printer = QString::fromUtf8(ippGetString(a, 0, nullptr)).section(QLatin1Char('/'), -1);
    }
    ippDelete(response);
    return facts;
}

Job_Facts Wait_For_Job(int job_id)
{
    QElapsedTimer timer;
    timer.start();
    Job_Facts facts = Query_Job(job_id);
    while (facts.found && facts.state < IPP_JSTATE_CANCELED && timer.elapsed() < 60000) {
        QThread::msleep(100);
        facts = Query_Job(job_id);
    }
    return facts;
}

int Last_Job_Id(const QString& queue)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int last = 0;
    for (int i = 0; i < count; ++i)
        last = std::max(last, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return last;
}

bool Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

namespace {

// ZPL ASCII compression: G..Y repeat 1..19, g..z repeat 20..400 (summed), ","
// zeros to the end of the row, "!" ones to the end of the row, ":" the row before again.
QByteArray Expand_Rows(const QByteArray& data, int bytes_per_row, int rows)
{
    const int row_digits = bytes_per_row * 2;
    QByteArray hex;
    hex.reserve(row_digits * rows);
    QByteArray row;
    QByteArray previous(row_digits, '0');
    int repeat = 0;
    auto end_row = [&] {
        row = row.left(row_digits);
        hex += row;
        previous = row;
        row.clear();
    };
    for (const char ch : data) {
        if (ch >= 'G' && ch <= 'Y') {
            repeat += ch - 'G' + 1;
        } else if (ch >= 'g' && ch <= 'z') {
            repeat += (ch - 'g' + 1) * 20;
        } else if (ch == ',' || ch == '!') {
            row += QByteArray(row_digits - row.size(), ch == ',' ? '0' : 'F');
            end_row();
            repeat = 0;
        } else if (ch == ':') {
            row = previous;
            end_row();
            repeat = 0;
        } else if (std::isxdigit(static_cast<unsigned char>(ch))) {
            row += QByteArray(std::max(1, repeat), ch);
            repeat = 0;
            if (row.size() >= row_digits)
                end_row();
        }
    }
    return QByteArray::fromHex(hex.left(row_digits * rows));
}

}  // namespace

QImage Decode_Zpl_Label(const QByteArray& zpl)
{
    const QRegularExpression header(QStringLiteral("~DG[^,]*,(\\d+),(\\d+),"));
    const QString text = QString::fromLatin1(zpl);
    const QRegularExpressionMatch match = header.match(text);
    if (!match.hasMatch())
        return {};
    const int total = match.captured(1).toInt();
    const int bytes_per_row = match.captured(2).toInt();
    if (bytes_per_row <= 0)
        return {};
    const int rows = total / bytes_per_row;
    const qsizetype start = match.capturedEnd();
    const qsizetype end = text.indexOf(QLatin1Char('^'), start);
    const QByteArray bits = Expand_Rows(zpl.mid(start, end < 0 ? -1 : end - start), bytes_per_row, rows);
    QImage picture(bytes_per_row * 8, rows, QImage::Format_Grayscale8);
    picture.fill(255);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < bytes_per_row * 8; ++x) {
            const qsizetype index = qsizetype(y) * bytes_per_row + x / 8;
            if (index < bits.size() && (static_cast<unsigned char>(bits[index]) & (0x80 >> (x % 8))))
                picture.setPixel(x, y, qRgb(0, 0, 0));
        }
    return picture;
}

int Zpl_Print_Width(const QByteArray& zpl)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("\\^PW(\\d+)")).match(QString::fromLatin1(zpl));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString Picture_Folder()
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/e2e-pictures");
    QDir().mkpath(folder);
    return folder;
}

std::vector<int> Jobs_After(const QString& queue, int before)
{
    std::vector<int> jobs;
    for (int id = before + 1; id <= Last_Job_Id(queue); ++id) {
        const Job_Facts facts = Wait_For_Job(id);
        if (facts.found && facts.printer == queue)
            jobs.push_back(id);
    }
    return jobs;
}

}  // namespace e2e
