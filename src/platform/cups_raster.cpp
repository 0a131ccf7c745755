#include "platform/cups_raster.h"

#include <QFile>

#include <cmath>

#include <cups/cups.h>
#include <cups/raster.h>
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>

#include <cstring>
#include <vector>

namespace platform {

std::shared_ptr<Raster_Ppd> Raster_Ppd::Open(const QString& ppd_path)
{
    ppd_file_t* ppd = ppdOpenFile(QFile::encodeName(ppd_path).constData());
    return ppd ? std::shared_ptr<Raster_Ppd>(new Raster_Ppd(ppd)) : nullptr;
}

Raster_Ppd::~Raster_Ppd()
{
    ppdClose(ppd_);
}

struct Cups_Raster_File::State {
    std::shared_ptr<Raster_Ppd> ppd;
    QFile file;
    cups_raster_t* raster = nullptr;
    QByteArray pending;    // what the raster stream wrote since the last page went to the file
    Cups_Options options;  // of the page header below
    cups_page_header2_t header{};

    ~State()
    {
        if (raster)
            cupsRasterClose(raster);
    }
};

namespace {

// The raster stream writes each line of dots on its own: its bytes are
// gathered here and go to the file a page at a time.
ssize_t Gather(void* pending, unsigned char* bytes, size_t length)
{
    static_cast<QByteArray*>(pending)->append(reinterpret_cast<const char*>(bytes), qsizetype(length));
    return ssize_t(length);
}

// Whether the driver's pages are grey levels or black and white that this file can write.
bool Grey_Page(const cups_page_header2_t& header)
{
    const bool grey_space = header.cupsColorSpace == CUPS_CSPACE_K || header.cupsColorSpace == CUPS_CSPACE_W
        || header.cupsColorSpace == CUPS_CSPACE_SW;
    return grey_space && header.cupsColorOrder == CUPS_ORDER_CHUNKED
        && (header.cupsBitsPerColor == 1 || header.cupsBitsPerColor == 8) && header.cupsWidth > 0
        && header.cupsHeight > 0 && header.HWResolution[0] > 0 && header.HWResolution[1] > 0;
}

// One line of grey image pixels as the driver's dots.
void Pack_Line(const uchar* grey, const cups_page_header2_t& header, std::vector<uchar>& dots)
{
    const bool ink = header.cupsColorSpace == CUPS_CSPACE_K;  // the driver counts ink, not light
    std::fill(dots.begin(), dots.end(), 0);
    if (header.cupsBitsPerColor == 8) {
        for (unsigned x = 0; x < header.cupsWidth; ++x)
            dots[x] = ink ? uchar(255 - grey[x]) : grey[x];
        return;
    }
    for (unsigned x = 0; x < header.cupsWidth; ++x)
        if ((grey[x] < 128) == ink)
            dots[x / 8] |= uchar(0x80 >> (x % 8));
}

}  // namespace

Cups_Raster_File::Cups_Raster_File(std::unique_ptr<State> state) : state_(std::move(state))
{
}

Cups_Raster_File::~Cups_Raster_File() = default;

std::unique_ptr<Cups_Raster_File> Cups_Raster_File::Open(std::shared_ptr<Raster_Ppd> ppd, const QString& path,
                                                         QString& error)
{
    auto state = std::make_unique<State>();
    state->ppd = std::move(ppd);
    state->file.setFileName(path);
    if (!state->file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || !(state->raster = cupsRasterOpenIO(Gather, &state->pending, CUPS_RASTER_WRITE_COMPRESSED))) {
        error = QStringLiteral("印刷データを %1 に書けません").arg(path);
        return nullptr;
    }
    return std::unique_ptr<Cups_Raster_File>(new Cups_Raster_File(std::move(state)));
}

QImage Cups_Raster_File::Blank_Page(const Cups_Options& options)
{
    if (options != state_->options || state_->header.cupsWidth == 0) {
        cups_option_t* cups_options = nullptr;
        int count = 0;
        for (const auto& [name, value] : options)
            count = cupsAddOption(name.toUtf8().constData(), value.toUtf8().constData(), count, &cups_options);
        ppd_file_t* ppd = state_->ppd->ppd_;
        ppdMarkDefaults(ppd);
        cupsMarkOptions(ppd, count, cups_options);
        cups_page_header2_t header{};
        const bool read = cupsRasterInterpretPPD(&header, ppd, count, cups_options, nullptr) == 0;
        cupsFreeOptions(count, cups_options);
        if (!read || !Grey_Page(header))
            return {};
        state_->header = header;
        state_->options = options;
    }
    const cups_page_header2_t& header = state_->header;
    QImage page(int(header.cupsWidth), int(header.cupsHeight), QImage::Format_Grayscale8);
    page.fill(Qt::white);
    page.setDotsPerMeterX(qRound(header.HWResolution[0] / 0.0254));
    page.setDotsPerMeterY(qRound(header.HWResolution[1] / 0.0254));
    return page;
}

Pdf_Placement Cups_Raster_File::Pdf_Page_Placement(const QPageSize& pdf_page) const
{
    const cups_page_header2_t& header = state_->header;
    const QSize pdf_points = pdf_page.sizePoints();
    // The filters centre our page in single precision: its near edge from the
    // label page's, its far edge from that, and the rounding the two leave
    // over, halved; they write each with six decimals.
    const auto written = [](double points) { return std::round(points * 1e6) / 1e6; };
    const auto near_edge = [](float label, int ours) { return float((ours - double(label)) / 2); };
    const auto rounding = [](float label, float near) {
        const float far = near + label;
        return double(float(label - float(far - near))) / 2;
    };
    const float left = near_edge(header.cupsPageSize[0], pdf_points.width());
    const float bottom = near_edge(header.cupsPageSize[1], pdf_points.height());
    return {QPointF(written(-left), written(-bottom)),
            QPointF(written(rounding(header.cupsPageSize[0], left)), written(rounding(header.cupsPageSize[1], bottom))),
            double(header.PageSize[1]), double(pdf_points.height())};
}

bool Cups_Raster_File::Add_Page(const QImage& page, int copies)
{
    cups_page_header2_t header = state_->header;
    if (page.width() != int(header.cupsWidth) || page.height() != int(header.cupsHeight)
        || page.format() != QImage::Format_Grayscale8)
        return false;
    header.NumCopies = unsigned(std::max(1, copies));
    if (!cupsRasterWriteHeader2(state_->raster, &header))
        return false;
    std::vector<uchar> dots(header.cupsBytesPerLine);
    for (int y = 0; y < page.height(); ++y) {
        Pack_Line(page.constScanLine(y), header, dots);
        if (cupsRasterWritePixels(state_->raster, dots.data(), header.cupsBytesPerLine) != header.cupsBytesPerLine)
            return false;
    }
    const bool written = state_->file.write(state_->pending) == state_->pending.size() && state_->file.flush();
    state_->pending.clear();
    return written;
}

}  // namespace platform

#pragma GCC diagnostic pop
