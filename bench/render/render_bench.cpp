// Composing the built-in layouts with a filled product, per label, on the
// preview picture and on a PDF printer page, against drawing the same
// characters with bare QPainter::drawText on the same kind of device: one call
// per character, and one call per line (the characters of a line that share
// their font).
#include "fixtures/timing.h"
#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "render/label_composer.h"
#include "render/label_pictures.h"
#include "render/qt_surfaces.h"
#include "render/recording_surface.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <optional>

namespace {

constexpr int kScreenPpi = 96;
constexpr int kPrinterDpi = 203;

QString& Data_Folder()
{
    static QTemporaryDir folder;
    static QString path = [] {
        const QString data = folder.path() + QLatin1Char('/');
        render_fixtures::Copy_Mark_Pictures(data);
        return data;
    }();
    return path;
}

store::Settings_Record Settings()
{
    store::Settings_Record settings = store::Default_Settings();
    settings.line[8] = QStringLiteral("端寄せ");
    return settings;
}

const layouts::Layout_Record& Layout(const benchmark::State& state)
{
    return layouts::Default_Layouts().at(static_cast<size_t>(state.range(0))).record;
}

// The label as a window or a print run composes it, with what its labels share.
void Compose(render::Drawing_Surface& surface, const layouts::Layout_Record& layout,
             render::Label_Resources* resources = nullptr)
{
    static const products::Product_Record product = render_fixtures::Filled_Product();
    static const render::Issue_Values issue = render_fixtures::Filled_Issue();
    static const store::Settings_Record settings = Settings();
    render::Label_Composer(surface, product, layout, issue,
                           {settings, Data_Folder(), nullptr, std::nullopt, resources});
}

// The characters the composer draws, with their fonts and device positions.
std::vector<render::Recording_Surface::Text_Record> Characters(const render::Surface_Profile& profile,
                                                               const layouts::Layout_Record& layout)
{
    render::Recording_Surface recording(profile);
    recording.Length_Limit_mm = store::Round_Half_Even(layout.Number(layouts::Label_Length));
    Compose(recording, layout);
    return recording.texts;
}

// The same characters in the same fonts (size, width, bold, underline) and
// directions, each font set once where it changes, and no other work.
void Draw_Bare(QPainter& painter, const std::vector<render::Recording_Surface::Text_Record>& texts)
{
    std::optional<render::Run_Font> current;
    painter.setPen(Qt::black);
    for (const auto& run : texts) {
        if (!current || !(*current == run.font)) {
            current = run.font;
            QFont font(QStringLiteral("IPAGothic"));
            font.setPixelSize(std::max(1, run.font.height));
            if (run.font.average_width > 0)
                font.setStretch(static_cast<int>(std::lround(run.font.average_width * 200.0 / run.font.height)));
            font.setBold(run.font.bold);
            font.setUnderline(run.font.underline);
            painter.setFont(font);
        }
        if (run.font.angle == 0) {
            painter.drawText(QPointF(run.px, run.py + run.font.height), run.text);
            continue;
        }
        painter.save();
        painter.translate(run.px, run.py);
        painter.rotate(-run.font.angle);
        painter.drawText(QPointF(0, run.font.height), run.text);
        painter.restore();
    }
}

// The characters joined into lines: consecutive characters of one font on
// one line (the same top for upright text, the same left for turned text).
std::vector<render::Recording_Surface::Text_Record>
Lines(const std::vector<render::Recording_Surface::Text_Record>& characters)
{
    std::vector<render::Recording_Surface::Text_Record> lines;
    for (const auto& character : characters) {
        if (!lines.empty()) {
            auto& line = lines.back();
            const bool same_line = character.font.angle == 0 ? character.py == line.py : character.px == line.px;
            if (character.font == line.font && same_line) {
                line.text += character.text;
                continue;
            }
        }
        lines.push_back(character);
    }
    return lines;
}

QImage Preview_Image(const layouts::Layout_Record& layout, const render::Surface_Profile& profile)
{
    const QSizeF twips = render::Preview_Picture_Twips(layout);
    return QImage(render::Preview_Pixels(twips.width(), profile), render::Preview_Pixels(twips.height(), profile),
                  QImage::Format_RGB32);
}

using bench_support::Seconds;

// The label, and in turn with it the same characters drawn one line per call
// (as BM_Preview_Line_DrawText does), so that the ratio holds on a busy
// machine. Counters: "lines_us" the baseline's mean, "x_lines" the label's
// time over it.
void BM_Preview_Label(benchmark::State& state)
{
    const layouts::Layout_Record& layout = Layout(state);
    const render::Surface_Profile profile = render::Preview_Profile(kScreenPpi);
    const auto lines = Lines(Characters(profile, layout));
    QImage image = Preview_Image(layout, profile);
    render::Label_Resources resources;  // the preview window's, kept from one drawing to the next
    double label_total = 0;
    double lines_total = 0;
    for (auto _ : state) {
        const double label = Seconds([&] {
            render::Preview_Picture_Surface surface(image, profile, &resources);
            Compose(surface, layout, &resources);
        });
        state.SetIterationTime(label);
        label_total += label;
        lines_total += Seconds([&] {
            QPainter painter(&image);
            painter.fillRect(image.rect(), Qt::white);
            Draw_Bare(painter, lines);
        });
    }
    state.counters["lines_us"] = lines_total / double(state.iterations()) * 1e6;
    state.counters["x_lines"] = lines_total > 0 ? label_total / lines_total : 0;
    state.SetLabel(layouts::Default_Layouts().at(static_cast<size_t>(state.range(0))).name.toStdString());
}

void BM_Preview_Bare_DrawText(benchmark::State& state)
{
    const layouts::Layout_Record& layout = Layout(state);
    const render::Surface_Profile profile = render::Preview_Profile(kScreenPpi);
    const auto texts = Characters(profile, layout);
    QImage image = Preview_Image(layout, profile);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        Draw_Bare(painter, texts);
    }
    state.counters["characters"] = static_cast<double>(texts.size());
}

void BM_Preview_Line_DrawText(benchmark::State& state)
{
    const layouts::Layout_Record& layout = Layout(state);
    const render::Surface_Profile profile = render::Preview_Profile(kScreenPpi);
    const auto lines = Lines(Characters(profile, layout));
    QImage image = Preview_Image(layout, profile);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        Draw_Bare(painter, lines);
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}

// One PDF print run; every iteration is one more label page.
struct Pdf_Run {
    QBuffer buffer;
    QPdfWriter writer{&buffer};
    QPainter painter;
    explicit Pdf_Run(const layouts::Layout_Record& layout)
    {
        buffer.open(QIODevice::WriteOnly);
        writer.setPageSize(QPageSize(QSizeF(layout.Number(layouts::Label_Width), layout.Number(layouts::Label_Length)),
                                     QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF());
        writer.setResolution(1200);
        painter.begin(&writer);
    }
};

void BM_Pdf_Label(benchmark::State& state)
{
    const layouts::Layout_Record& layout = Layout(state);
    Pdf_Run run(layout);
    render::Label_Resources resources;  // the print run's
    render::Printer_Page_Surface surface(run.painter, kPrinterDpi, kPrinterDpi, render::Bar_Edges::Inside_Dots,
                                         &resources);
    surface.Length_Limit_mm = store::Round_Half_Even(layout.Number(layouts::Label_Length));
    for (auto _ : state) {
        Compose(surface, layout, &resources);
        run.writer.newPage();
    }
    state.SetLabel(layouts::Default_Layouts().at(static_cast<size_t>(state.range(0))).name.toStdString());
}

void BM_Pdf_Bare_DrawText(benchmark::State& state)
{
    const layouts::Layout_Record& layout = Layout(state);
    const auto texts = Characters(render::Printer_Profile(kPrinterDpi, kPrinterDpi), layout);
    Pdf_Run run(layout);
    run.painter.scale(1200.0 / kPrinterDpi, 1200.0 / kPrinterDpi);
    for (auto _ : state) {
        Draw_Bare(run.painter, texts);
        run.writer.newPage();
    }
    state.counters["characters"] = static_cast<double>(texts.size());
}

BENCHMARK(BM_Preview_Label)->DenseRange(0, 7)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Preview_Bare_DrawText)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Preview_Line_DrawText)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pdf_Label)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pdf_Bare_DrawText)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
