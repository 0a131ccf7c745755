// Print runs against the real CUPS scheduler that scripts/start-cups.sh starts:
// the ZPL label queue "Zebra", the cups-pdf queue "PDF", and the built-in PDF
// printer. Each test identifies its own jobs by id, so earlier jobs do not count.
#include "cups_jobs.h"
#include "label_fixtures.h"
#include "layouts/layout_record.h"
#include "maintenance/paper_selection.h"
#include "platform/cups_queue.h"
#include "platform/cups_raster.h"
#include "platform/dot_page.h"
#include "platform/qt_printer_platform.h"
#include "print_fixtures.h"
#include "printing/print_run.h"
#include "render/label_resources.h"
#include "support/barcode_reader.h"
#include "support/gui_application.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <cups/cups.h>
#include <cups/raster.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRawFont>
#include <QSet>
#include <QTemporaryFile>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <iostream>
#include <optional>
#include <random>

using print_fixtures::Issue_For;
using printing::Print_Mode;

namespace {

// The cups-pdf file of a job: "…-job_<id>.pdf" in root's ~/PDF (waits up to 30 s).
QString Cups_Pdf_File(int job_id)
{
    QElapsedTimer timer;
    timer.start();
    const QString pattern = QStringLiteral("*job_%1.pdf").arg(job_id);
    while (timer.elapsed() < 30000) {
        const QStringList files = QDir(e2e::kCupsPdfFolder).entryList({pattern}, QDir::Files);
        if (!files.isEmpty())
            return QDir(e2e::kCupsPdfFolder).filePath(files.first());
        QThread::msleep(100);
    }
    return {};
}

class Print_E2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test_support::Ensure_Gui_Application(); }

    void SetUp() override
    {
        ASSERT_TRUE(e2e::Scheduler_Running()) << "start the test printers first: bash scripts/start-cups.sh";
        ASSERT_TRUE(print_fixtures::Prepare_Data_Folder(data.Data_Folder()));
        // Nothing of an earlier run may be mistaken for this test's output.
        QFile::resize(e2e::kZplOutput, 0);
    }

    printing::Print_Issues Run(const printing::Print_Issues& lines, Print_Mode mode,
                               const store::Settings_Record& settings)
    {
        return print_fixtures::Run_Issues(
            lines, mode, print_fixtures::Context_For(data.Data_Folder(), settings, printers, answerer));
    }

    // Ids of the jobs that arrived on the queue after `before`, waited for until done.
    std::vector<int> Jobs_After(const QString& queue, int before)
    {
        std::vector<int> jobs;
        for (int id = before + 1; id <= e2e::Last_Job_Id(queue); ++id) {
            const e2e::Job_Facts facts = e2e::Wait_For_Job(id);
            if (facts.found && facts.printer == queue)
                jobs.push_back(id);
        }
        return jobs;
    }

    test_support::Temp_Folder data;
    platform::Qt_Printer_Platform printers{[this] { return data.Data_Folder() + platform::kPdf_Output_Folder_Name; }};
    test_support::Scripted_Answerer answerer;
};

TEST_F(Print_E2E, ImmediatePrintOfFiveLabelsIsOneJobOfFiveCopiesOnTheZplAndThePdfQueue)
{
    for (const QString& queue : {e2e::kZebra, e2e::kPdfQueue}) {
        answerer.requests.clear();
        const int before = e2e::Last_Job_Id(queue);
        EXPECT_TRUE(Run({Issue_For("1", 5)}, Print_Mode::Immediate, print_fixtures::Settings_For(queue)).isEmpty());
        EXPECT_EQ(answerer.Shown(), QStringList{"登録番号:0001の/印刷データを送信します"});
        const std::vector<int> jobs = Jobs_After(queue, before);
        ASSERT_EQ(jobs.size(), 1u) << queue.toStdString();
        const e2e::Job_Facts facts = e2e::Query_Job(jobs[0]);
        EXPECT_EQ(facts.copies, 5);
        EXPECT_EQ(facts.state, IPP_JSTATE_COMPLETED) << queue.toStdString();
        // The queue's own resolution and, with no paper number, the label's size went with the job.
        EXPECT_EQ(facts.resolution, queue == e2e::kZebra ? QStringLiteral("203dpi") : QStringLiteral("300dpi"));
        EXPECT_EQ(facts.page_size, QStringLiteral("Custom.45x65mm"));
        if (queue == e2e::kPdfQueue) {
            const QString pdf = Cups_Pdf_File(jobs[0]);
            ASSERT_FALSE(pdf.isEmpty());
            QFile::remove(e2e::Picture_Folder() + QStringLiteral("/cups-pdf-label.pdf"));
            EXPECT_TRUE(QFile::copy(pdf, e2e::Picture_Folder() + QStringLiteral("/cups-pdf-label.pdf")));
            QFile::remove(pdf);
        }
    }
}

TEST_F(Print_E2E, AZplJobIsAPageOfTheLabelsSizeAtTheQueuesResolution)
{
    struct Case {
        QString queue;
        int dpi;
        QString direction, length, width, paper;  // layout lines
        double across_mm, down_mm;                // the printed page
        QString page_size;                        // the job's PageSize option
        QString picture;
    };
    const Case cases[] = {
        {e2e::kZebra, 203, "0", "65", "45", "0000", 45, 65, "Custom.45x65mm", "zebra-label.png"},
        {e2e::kZebra300, 300, "0", "65", "45", "0000", 45, 65, "Custom.45x65mm", "zebra300-label.png"},
        {e2e::kZebra, 203, "90", "90", "50", "0000", 50, 90, "Custom.50x90mm", "zebra-turned-label.png"},
        // A5 as the PPD has it: 420 x 595 points.
        {e2e::kZebra, 203, "0", "65", "45", "0011", 420 / 72.0 * 25.4, 595 / 72.0 * 25.4, "A5", "zebra-a5-label.png"},
    };
    for (const Case& c : cases) {
        const std::pair<int, QString> lines[] = {{layouts::Print_Direction, c.direction},
                                                 {layouts::Label_Length, c.length},
                                                 {layouts::Label_Width, c.width},
                                                 {layouts::Layout_Paper_Number, c.paper}};
        for (const auto& [line, value] : lines)
            ASSERT_TRUE(print_fixtures::Change_Layout_Line(data.Data_Folder(), print_fixtures::kLayout, line, value));
        const QString output = c.queue == e2e::kZebra ? e2e::kZplOutput : e2e::kZpl300Output;
        QFile::resize(output, 0);
        const int before = e2e::Last_Job_Id(c.queue);
        Run({Issue_For("1", 1)}, Print_Mode::Immediate, print_fixtures::Settings_For(c.queue));
        const std::vector<int> jobs = Jobs_After(c.queue, before);
        ASSERT_EQ(jobs.size(), 1u) << c.picture.toStdString();
        EXPECT_EQ(e2e::Query_Job(jobs[0]).page_size, c.page_size);
        QFile file(output);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray zpl = file.readAll();
        const QImage label = e2e::Decode_Zpl_Label(zpl);
        ASSERT_FALSE(label.isNull()) << c.picture.toStdString();
        label.save(e2e::Picture_Folder() + QLatin1Char('/') + c.picture);
        // One page of the label's size in dots: ^PW across, the graphic's rows down.
        const int width = e2e::Zpl_Print_Width(zpl);
        EXPECT_NEAR(width, c.across_mm * c.dpi / 25.4, 1) << c.picture.toStdString();
        EXPECT_NEAR(label.height(), c.down_mm * c.dpi / 25.4, 1) << c.picture.toStdString();
        EXPECT_EQ(label.width(), (width + 7) / 8 * 8);  // whole bytes of 8 dots
        int black = 0;
        for (int y = 0; y < label.height(); ++y)
            for (int x = 0; x < label.width(); ++x)
                black += qGray(label.pixel(x, y)) < 128;
        EXPECT_GT(black, 5000) << c.picture.toStdString();
    }
}

// The pictures of a printed label: the ZPL queues' graphic as the printer
// prints it; a PDF (cups-pdf's or the built-in printer's) at 203, 300 and 600 dpi,
// since a PDF may be printed anywhere.
class Printed_Pictures {
public:
    explicit Printed_Pictures(const QString& name) : name_(name) { }

    void Add_Zpl(const QString& zpl_file)
    {
        QFile file(zpl_file);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString picture = e2e::Picture_Folder() + QLatin1Char('/') + name_ + QStringLiteral(".png");
        ASSERT_TRUE(e2e::Decode_Zpl_Label(file.readAll()).save(picture));
        pictures_.push_back({picture, QStringLiteral("as printed")});
    }

    void Add_Pdf(const QString& pdf, const QString& work_folder)
    {
        ASSERT_FALSE(pdf.isEmpty()) << name_.toStdString();
        const QString kept = e2e::Picture_Folder() + QLatin1Char('/') + name_ + QStringLiteral(".pdf");
        QFile::remove(kept);
        QFile::copy(pdf, kept);
        for (const int dpi : {203, 300, 600}) {
            QString error;
            const QString picture = test_support::Rasterise_Pdf_Page(
                pdf, 1, dpi, work_folder + QStringLiteral("%1-%2").arg(name_).arg(dpi), error);
            ASSERT_FALSE(picture.isEmpty()) << error.toStdString();
            pictures_.push_back({picture, QStringLiteral("at %1 dpi").arg(dpi)});
        }
    }

    void Expect_Each_Reads(const QString& digits) const
    {
        for (const auto& [picture, how] : pictures_) {
            QString error;
            EXPECT_EQ(test_support::Read_Barcodes(picture, error), digits)
                << name_.toStdString() << " " << how.toStdString() << " " << error.toStdString();
        }
    }

private:
    QString name_;
    std::vector<std::pair<QString, QString>> pictures_;
};

TEST_F(Print_E2E, TheBarcodesPrintedOnEveryKindOfPrinterScan)
{
    // The ZPL queues rasterise the page at their resolution; cups-pdf keeps it as drawn.
    EXPECT_TRUE(platform::Queue_Has_Raster_Driver(e2e::kZebra));
    EXPECT_TRUE(platform::Queue_Has_Raster_Driver(e2e::kZebra300));
    EXPECT_FALSE(platform::Queue_Has_Raster_Driver(e2e::kPdfQueue));
    // Frameless layouts, upright and turned, with the product the barcode tests
    // use, and a ruled layout whose barcode overlaps nothing with every item filled.
    const std::pair<QString, products::Product_Record> cases[] = {
        {QStringLiteral("標準01 65x45 ﾜｸ無"), render_fixtures::Scannable_Product()},
        {QStringLiteral("標準02 65x45 ﾜｸ無 ﾖｺ"), render_fixtures::Scannable_Product()},
        {QStringLiteral("標準05 70x80"), render_fixtures::Filled_Product()},
    };
    const QDir built_in_output(data.Data_Folder() + platform::kPdf_Output_Folder_Name);
    for (const auto& [layout, product] : cases) {
        ASSERT_TRUE(print_fixtures::Write_Products(data.Data_Folder(), {product}));
        const std::optional<layouts::Layout_Record> record = layouts::Read_Layout(data.Data_Folder(), layout);
        ASSERT_TRUE(record);
        ASSERT_TRUE(
            layouts::Write_Layout(layouts::Layout_Path(data.Data_Folder(), print_fixtures::kLayout), *record).ok());
        for (const QString& digits : {QStringLiteral("4901234567894"), QStringLiteral("49123456")}) {
            const printing::Print_Issues line = {Issue_For("1", 1, digits)};
            const QString name = QStringLiteral("barcode-%1-%2").arg(QString(layout).replace(u' ', u'_'), digits);
            for (const QString& queue : {e2e::kZebra, e2e::kZebra300}) {
                const QString output = queue == e2e::kZebra ? e2e::kZplOutput : e2e::kZpl300Output;
                QFile::resize(output, 0);
                const int before = e2e::Last_Job_Id(queue);
                Run(line, Print_Mode::Immediate, print_fixtures::Settings_For(queue));
                ASSERT_EQ(Jobs_After(queue, before).size(), 1u) << name.toStdString();
                Printed_Pictures pictures(name + QLatin1Char('-') + queue);
                pictures.Add_Zpl(output);
                pictures.Expect_Each_Reads(digits);
            }
            const int before = e2e::Last_Job_Id(e2e::kPdfQueue);
            Run(line, Print_Mode::Immediate, print_fixtures::Settings_For(e2e::kPdfQueue));
            const std::vector<int> jobs = Jobs_After(e2e::kPdfQueue, before);
            ASSERT_EQ(jobs.size(), 1u) << name.toStdString();
            const QString cups_pdf = Cups_Pdf_File(jobs[0]);
            Printed_Pictures cups_pdf_pictures(name + QStringLiteral("-cups-pdf"));
            cups_pdf_pictures.Add_Pdf(cups_pdf, data.Data_Folder());
            cups_pdf_pictures.Expect_Each_Reads(digits);
            QFile::remove(cups_pdf);

            Run(line, Print_Mode::Immediate, print_fixtures::Settings_For(platform::kBuilt_In_Pdf_Printer));
            const QStringList files = built_in_output.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
            ASSERT_FALSE(files.isEmpty());
            Printed_Pictures built_in_pictures(name + QStringLiteral("-built-in"));
            built_in_pictures.Add_Pdf(built_in_output.filePath(files.first()), data.Data_Folder());
            built_in_pictures.Expect_Each_Reads(digits);
            QFile::remove(built_in_output.filePath(files.first()));
        }
    }
}

bool Black(const QImage& label, int x, int y)
{
    return x >= 0 && y >= 0 && x < label.width() && y < label.height() && qGray(label.pixel(x, y)) < 128;
}

// The dots of a label that lie on a straight black run of at least `length`
// dots across or down: the bars of its barcodes and the lines of its frames,
// without the characters.
std::vector<bool> Long_Lines(const QImage& label, int length)
{
    const int width = label.width(), height = label.height();
    std::vector<bool> lines(size_t(width) * size_t(height), false);
    const auto mark_runs = [&](int count, int along, auto at) {
        for (int line = 0; line < count; ++line)
            for (int start = 0, i = 0; i <= along; ++i) {
                const auto [x, y] = at(line, i);
                if (i < along && Black(label, x, y))
                    continue;
                for (int j = start; i - start >= length && j < i; ++j) {
                    const auto [rx, ry] = at(line, j);
                    lines[size_t(ry) * size_t(width) + size_t(rx)] = true;
                }
                start = i + 1;
            }
    };
    mark_runs(height, width, [](int y, int x) { return std::pair{x, y}; });
    mark_runs(width, height, [](int x, int y) { return std::pair{x, y}; });
    return lines;
}

// Where two printed labels of one size differ with the second (dx, dy) dots off the first.
struct Dot_Difference {
    int dx = 0, dy = 0;
    int differing = 0;        // dots black in one label and white in the other
    int black = 0;            // black dots of the first label
    int differing_lines = 0;  // of the dots on long lines (Long_Lines) of either label
    int lines = 0;            // dots on long lines of the first label
};

Dot_Difference Compare_Dots(const QImage& a, const QImage& b, int dx, int dy, int line_length)
{
    const std::vector<bool> lines_a = Long_Lines(a, line_length), lines_b = Long_Lines(b, line_length);
    const auto on_line = [&](const std::vector<bool>& lines, int x, int y) {
        return x >= 0 && y >= 0 && x < a.width() && y < a.height() && lines[size_t(y) * size_t(a.width()) + size_t(x)];
    };
    Dot_Difference difference{dx, dy};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const bool black = Black(a, x, y);
            difference.black += black;
            difference.differing += black != Black(b, x + dx, y + dy);
            const bool line = on_line(lines_a, x, y);
            difference.lines += line;
            difference.differing_lines += line != on_line(lines_b, x + dx, y + dy);
        }
    return difference;
}

// The labels compared with the second at most one dot off the first, once
// where all their dots differ least and once where their bars and lines do
// (how the two pages lie on each other).
std::pair<Dot_Difference, Dot_Difference> Closest_Dots(const QImage& a, const QImage& b, int line_length)
{
    std::optional<Dot_Difference> dots, lines;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const Dot_Difference difference = Compare_Dots(a, b, dx, dy, line_length);
            if (!dots || difference.differing < dots->differing)
                dots = difference;
            if (!lines || difference.differing_lines < lines->differing_lines)
                lines = difference;
        }
    return {*dots, *lines};
}

// The two labels over each other: black where both are, red where only the
// first is, blue where only the second (at the difference's offset) is.
QImage Difference_Picture(const QImage& a, const QImage& b, const Dot_Difference& difference)
{
    QImage picture(a.size(), QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const bool first = Black(a, x, y), second = Black(b, x + difference.dx, y + difference.dy);
            picture.setPixel(x, y,
                             first && second ? qRgb(0, 0, 0)
                                 : first     ? qRgb(255, 0, 0)
                                 : second    ? qRgb(0, 0, 255)
                                             : qRgb(255, 255, 255));
        }
    return picture;
}

TEST_F(Print_E2E, TheRasterJobPrintsTheLabelTheQueueMadeOfThePdfJob)
{
    // The same labels, drawn as raster by the program and as PDF that the
    // queue rasterises (Ghostscript), compared dot for dot. The raster page
    // puts the drawing where the queue's filters put the PDF's page (whole
    // points, centred on the label's page) and paints bars, frame lines and
    // characters by Ghostscript's rules, so the two labels lie on each other
    // and their bars and lines are the same dots; only a glyph stroke that
    // joins a long run in one label may count among them. What may differ
    // are the recycling marks, pictures that Ghostscript scales from the PDF's
    // compressed picture and its mask by rules of its own, and a dot where a
    // glyph's origin lies on half a dot, where Ghostscript's single-precision
    // arithmetic decides the rounding (ADotPagePaintsCharacters… shows the
    // characters otherwise identical). Both barcodes read; the pictures and
    // their difference are kept for people to compare, the figures recorded.
    platform::Qt_Printer_Platform pdf_printers{
        [this] { return data.Data_Folder() + platform::kPdf_Output_Folder_Name; }, platform::Raster_Jobs::Never};
    const std::pair<QString, products::Product_Record> cases[] = {
        {QStringLiteral("標準01 65x45"), render_fixtures::Filled_Product()},
        {QStringLiteral("標準02 65x45 ﾜｸ無 ﾖｺ"), render_fixtures::Scannable_Product()},
        {QStringLiteral("標準05 70x80"), render_fixtures::Filled_Product()},
    };
    for (const auto& [layout, product] : cases) {
        ASSERT_TRUE(print_fixtures::Write_Products(data.Data_Folder(), {product}));
        const std::optional<layouts::Layout_Record> record = layouts::Read_Layout(data.Data_Folder(), layout);
        ASSERT_TRUE(record);
        ASSERT_TRUE(
            layouts::Write_Layout(layouts::Layout_Path(data.Data_Folder(), print_fixtures::kLayout), *record).ok());
        for (const QString& queue : {e2e::kZebra, e2e::kZebra300}) {
            const QString output = queue == e2e::kZebra ? e2e::kZplOutput : e2e::kZpl300Output;
            const QString name = QStringLiteral("raster-%1-%2").arg(QString(layout).replace(u' ', u'_'), queue);
            const QString picture_path = e2e::Picture_Folder() + QLatin1Char('/') + name;
            QImage printed[2];
            for (const bool raster : {true, false}) {
                QFile::resize(output, 0);
                const int before = e2e::Last_Job_Id(queue);
                print_fixtures::Run_Issues({Issue_For("1", 1)}, Print_Mode::Immediate,
                                           print_fixtures::Context_For(
                                               data.Data_Folder(), print_fixtures::Settings_For(queue),
                                               raster ? static_cast<platform::Printer_Finder&>(printers) : pdf_printers,
                                               answerer));
                ASSERT_EQ(Jobs_After(queue, before).size(), 1u) << name.toStdString();
                QFile file(output);
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                printed[raster] = e2e::Decode_Zpl_Label(file.readAll());
                ASSERT_FALSE(printed[raster].isNull()) << name.toStdString();
                const QString picture = picture_path
                    + (raster ? QStringLiteral(".png") : QStringLiteral("-from-pdf.png"));
                printed[raster].save(picture);
                QString error;
                EXPECT_EQ(test_support::Read_Barcodes(picture, error), QStringLiteral("4901234567894"))
                    << picture.toStdString() << " " << error.toStdString();
            }
            ASSERT_EQ(printed[true].size(), printed[false].size()) << name.toStdString();
            const int dpi = queue == e2e::kZebra ? 203 : 300;
            const auto [dots, lines] = Closest_Dots(printed[true], printed[false], dpi / 4);
            Difference_Picture(printed[true], printed[false], lines)
                .save(picture_path + QStringLiteral("-difference.png"));
            const auto offset = [](const Dot_Difference& d) {
                return " (the PDF's label " + std::to_string(d.dx) + "," + std::to_string(d.dy) + " dots off)";
            };
            const std::string figures = name.toStdString() + ": " + std::to_string(dots.differing) + " of "
                + std::to_string(dots.black) + " black dots differ" + offset(dots) + "; of the bars and lines "
                + std::to_string(lines.differing_lines) + " of " + std::to_string(lines.lines) + " dots" + offset(lines)
                + ", with " + std::to_string(lines.differing) + " differing dots in all";
            RecordProperty(name.toStdString(), figures);
            std::cout << figures << "\n";
            EXPECT_TRUE(dots.dx == 0 && dots.dy == 0 && lines.dx == 0 && lines.dy == 0) << figures;
            EXPECT_LE(lines.differing_lines, lines.lines / 1000) << figures;
            // The marks differ in some tens of dots; a character drawn otherwise
            // than Ghostscript draws it differs in tens of dots on its own.
            EXPECT_LE(dots.differing, dots.black / 400) << figures;
        }
    }
}

// Bars, frames one to three dots wide and underlines at places and sizes of
// any fraction of a dot, as the composer draws them; `offset` is where the
// drawing lies on the dots. No edge comes nearer a dot's border than 1/100
// dot: there Ghostscript's own rounding (single-precision matrices, 1/256 dot)
// decides.
void Draw_Shapes(QPainter& painter, const QSize& page, QPointF offset, unsigned seed)
{
    std::mt19937 random(seed);
    const auto between = [&random](double from, double to) {
        return std::uniform_real_distribution<double>(from, to)(random);
    };
    const auto clear = [](double on_dots) {
        const double fraction = on_dots - std::floor(on_dots);
        return fraction > 0.01 && fraction < 0.99;
    };
    // A coordinate across (or down) from `from` to `to` whose edges at `edges` from it stay clear.
    const auto place = [&](double from, double to, double shift, std::initializer_list<double> edges) {
        for (;;) {
            const double value = between(from, to);
            if (std::all_of(edges.begin(), edges.end(), [&](double edge) { return clear(value + shift + edge); }))
                return value;
        }
    };
    // One draw after the other, in this order, whatever the compiler.
    const auto box = [&](double margin, double least, double most_across, double most_down,
                         std::initializer_list<double> edges) {
        const double x = place(2, page.width() - margin, offset.x(), edges);
        const double y = place(2, page.height() - margin, offset.y(), edges);
        const double across = place(least, most_across, offset.x() + x, edges);
        const double down = place(least, most_down, offset.y() + y, edges);
        return QRectF(x, y, across, down);
    };
    for (int i = 0; i < 60; ++i)
        painter.fillRect(box(70, 0.2, 12, 60, {0}), Qt::black);
    for (const double width : {1.0, 2.0, 3.0, 1.0, 2.0, 3.0}) {
        QPen pen(Qt::black, width);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawRect(box(90, 8, 80, 80, {0, 0.5}));  // the stroke's edges lie half a dot off with odd widths
    }
    for (int i = 0; i < 12; ++i) {
        QPen pen(Qt::black, between(0.5, 2.5));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        const bool across = i % 2;
        // The middle stays clear of borders and half dots: a stroke of odd width has its edges there.
        const double x = place(2, page.width() - 110, offset.x(), {0, 0.5});
        const double y = place(2, page.height() - 110, offset.y(), {0, 0.5});
        const double length = place(5, 100, across ? offset.x() + x : offset.y() + y, {0});
        const QPointF from(x, y);
        painter.drawLine(from, across ? from + QPointF(length, 0) : from + QPointF(0, length));
    }
}

// Lines of characters as the composer draws them: glyph runs and text, in
// fonts of several sizes, widths and weights, upright and turned a quarter,
// at fractions of a dot on `page` (in dots); `offset` is where the drawing
// lies on the dots. No
// glyph's origin comes nearer half a dot than 1/50 dot: there the rasteriser's
// single-precision arithmetic decides which way it rounds.
void Draw_Characters(QPainter& painter, const QSize& page, QPointF offset, unsigned seed)
{
    std::mt19937 random(seed);
    const auto between = [&random](double from, double to) {
        return std::uniform_real_distribution<double>(from, to)(random);
    };
    const QString text = QStringLiteral("原材料名：小麦粉(国内製造)、卵／Ab1");
    const auto clear = [&](QPointF user) {
        const QPointF on_dots = painter.transform().map(user) + offset;
        const auto off_half = [](double v) { return std::abs(v - std::floor(v) - 0.5) > 0.02; };
        return off_half(on_dots.x()) && off_half(on_dots.y());
    };
    const auto to_64th = [](QPointF p) { return QPointF(std::round(p.x() * 64) / 64, std::round(p.y() * 64) / 64); };
    double y = 4;
    int line = 0;
    for (const int angle : {0, 90}) {
        painter.save();
        if (angle != 0)
            painter.setTransform(QTransform().translate(page.width() - 4, y).rotate(angle));
        double across = angle == 0 ? 0 : 4;
        // The characters stay inside the page, which the two pages cut a fraction of a dot apart.
        const double room = angle == 0 ? page.width() : page.height() - y;
        for (const int size : {14, 19, 25, 33}) {
            for (const int stretch : {100, 75, 140}) {
                QFont font(QStringLiteral("IPAGothic"));
                font.setPixelSize(size);
                font.setStretch(stretch);
                font.setWeight(line % 2 ? QFont::Bold : QFont::Normal);
                const QRawFont raw = QRawFont::fromFont(font);
                const double bold_shift = 0.5 * raw.lineThickness() * stretch / 100;
                const auto placed = [&](QPointF p) {
                    p = to_64th(p);
                    return clear(p) && clear(p - QPointF(bold_shift, 0));
                };
                QPointF pen(between(2, 6), (angle == 0 ? y : across) + size);
                const double end = room - 2.0 * size * stretch / 100 - 4;
                if (++line % 3 == 0 && stretch == 100) {
                    // Text: its characters follow the font's advances, whole or half pixels.
                    while (!placed(pen) || !placed(pen + QPointF(0.5, 0)))
                        pen += QPointF(0.03, 0.011);
                    painter.setFont(font);
                    painter.drawText(pen, text.left(qsizetype(end / size)));
                } else {
                    QGlyphRun run;
                    run.setRawFont(raw);
                    run.setGlyphIndexes(raw.glyphIndexesForString(text));
                    QList<QPointF> positions;
                    for (qsizetype i = 0; i < text.size() && pen.x() < end; ++i) {
                        while (!placed(pen))
                            pen += QPointF(0.03, 0.011);
                        positions.append(pen);
                        pen.rx() += size * stretch / 100.0 * between(0.55, 1.1);
                    }
                    run.setGlyphIndexes(run.glyphIndexes().mid(0, positions.size()));
                    run.setPositions(positions);
                    platform::Draw_Glyph_Run(painter, run, font);
                }
                if (angle == 0)
                    y += size + between(1, 4);
                else
                    across += size + between(1, 4);
            }
        }
        painter.restore();
    }
}

// Pictures as the composer draws recycling marks: the four marks with their
// white made transparent, and black-and-clear patterns of odd sizes, shrunk
// and enlarged, upright and turned a quarter either way, at fractions of a
// dot on `page` (in dots).
void Draw_Pictures(QPainter& painter, const QSize& page, unsigned seed)
{
    std::mt19937 random(seed);
    const auto between = [&random](double from, double to) {
        return std::uniform_real_distribution<double>(from, to)(random);
    };
    render::Label_Resources resources;
    std::vector<QImage> pictures;
    for (const char* mark : {"pura00", "pura90", "kami00", "kami90"})
        pictures.push_back(resources.Converted(QImage(QStringLiteral(FOODLABEL_MARKS_DIR "/%1.bmp").arg(mark)),
                                               render::Picture_Conversion::Without_White));
    for (const QSize size : {QSize(37, 23), QSize(9, 61)}) {
        QImage pattern(size, QImage::Format_ARGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                pattern.setPixel(x, y, random() % 3 ? qRgba(0, 0, 0, 255) : qRgba(0, 0, 0, 0));
        pictures.push_back(pattern);
    }
    for (const int angle : {0, 90, 270}) {
        for (const QImage& picture : pictures) {
            // From a few dots to a fifth of the page, a little wider or narrower than the picture.
            const double longest = between(8, std::min(page.width(), page.height()) / 5.0);
            const double scale = longest / std::max(picture.width(), picture.height());
            // One draw after the other, in this order, whatever the compiler.
            const double across = picture.width() * scale * between(0.8, 1);
            const double down = picture.height() * scale * between(0.8, 1);
            const double x = between(longest + 2, page.width() - longest - 2);
            const double y = between(longest + 2, page.height() - longest - 2);
            const double fraction_x = between(0, 1);
            const double fraction_y = between(0, 1);
            painter.save();
            painter.setTransform(QTransform().translate(x, y).rotate(angle));
            painter.drawImage(QRectF(fraction_x, fraction_y, across, down), picture);
            painter.restore();
        }
    }
}

// The first page of a CUPS raster file, black where a dot is printed.
QImage Raster_File_Page(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    cups_raster_t* raster = fd >= 0 ? cupsRasterOpen(fd, CUPS_RASTER_READ) : nullptr;
    cups_page_header2_t header;
    QImage page;
    if (raster && cupsRasterReadHeader2(raster, &header) && header.cupsBitsPerColor == 1) {
        page = QImage(int(header.cupsWidth), int(header.cupsHeight), QImage::Format_Grayscale8);
        std::vector<uchar> line(header.cupsBytesPerLine);
        for (int y = 0; y < page.height(); ++y) {
            cupsRasterReadPixels(raster, line.data(), header.cupsBytesPerLine);
            uchar* dots = page.scanLine(y);
            for (int x = 0; x < page.width(); ++x) {
                const bool set = line[size_t(x) / 8] & (0x80 >> (x % 8));
                dots[x] = set == (header.cupsColorSpace == CUPS_CSPACE_K) ? 0 : 255;
            }
        }
    }
    if (raster)
        cupsRasterClose(raster);
    if (fd >= 0)
        ::close(fd);
    return page;
}

// A drawing on a page of `mm` at the queue's resolution: given the painter,
// the page's size in dots and where the drawing lies on the dots.
using Drawing = std::function<void(QPainter&, const QSize&, QPointF)>;

// The drawing made on a dot page for the queue and into a PDF that the
// queue's filters rasterise (cupsfilter runs the queue's own filter chain,
// pdftopdf and Ghostscript), compared dot for dot; a picture of any
// difference is kept as `name`-difference.png.
void Expect_The_Filters_Dots(const QString& folder, const QString& queue, QSizeF mm, const QString& name,
                             const Drawing& draw, int least_black)
{
    QTemporaryFile ppd;
    ASSERT_TRUE(ppd.open() && platform::Fetch_Queue_Ppd(queue, ppd));
    const std::shared_ptr<platform::Raster_Ppd> raster_ppd = platform::Raster_Ppd::Open(ppd.fileName());
    ASSERT_TRUE(raster_ppd);
    const int dpi = queue == e2e::kZebra ? 203 : 300;
    const QString size = QStringLiteral("Custom.%1x%2mm").arg(mm.width()).arg(mm.height());
    const QString ours_path = folder + name + QStringLiteral(".ras");
    const QString pdf_path = folder + name + QStringLiteral(".pdf");
    const QString theirs_path = folder + name + QStringLiteral("-filters.ras");
    QString error;
    std::unique_ptr<platform::Cups_Raster_File> ours = platform::Cups_Raster_File::Open(raster_ppd, ours_path, error);
    ASSERT_TRUE(ours) << error.toStdString();
    const QImage blank = ours->Blank_Page(
        {{QStringLiteral("PageSize"), size}, {QStringLiteral("Resolution"), QStringLiteral("%1dpi").arg(dpi)}});
    ASSERT_FALSE(blank.isNull()) << name.toStdString();
    const QPageSize page = platform::Label_Page_Size(mm);
    platform::Dot_Page dots(blank, ours->Pdf_Page_Placement(page));
    {
        QPdfWriter pdf(pdf_path);
        pdf.setResolution(dpi);
        pdf.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF()));
        for (QPaintDevice* device : {static_cast<QPaintDevice*>(&dots), static_cast<QPaintDevice*>(&pdf)}) {
            QPainter painter(device);
            draw(painter, blank.size(), dots.Offset());
        }
    }
    ASSERT_TRUE(ours->Add_Page(dots.Dots(), 1));
    ours.reset();
    QProcess filters;
    filters.setStandardOutputFile(theirs_path);
    filters.start(QStringLiteral("cupsfilter"),
                  {"-p", ppd.fileName(), "-m", "application/vnd.cups-raster", "-o", "PageSize=" + size, "-o",
                   QStringLiteral("Resolution=%1dpi").arg(dpi), pdf_path});
    ASSERT_TRUE(filters.waitForFinished(60000) && filters.exitCode() == 0)
        << filters.readAllStandardError().toStdString();
    const QImage mine = Raster_File_Page(ours_path), theirs = Raster_File_Page(theirs_path);
    ASSERT_EQ(mine.size(), theirs.size()) << name.toStdString();
    const Dot_Difference difference = Compare_Dots(mine, theirs, 0, 0, dpi / 4);
    if (difference.differing != 0)
        Difference_Picture(mine, theirs, difference)
            .save(e2e::Picture_Folder() + QStringLiteral("/%1-difference.png").arg(name));
    EXPECT_EQ(difference.differing, 0) << name.toStdString() << " of " << difference.black << " black dots";
    EXPECT_GT(difference.black, least_black) << name.toStdString();
}

TEST_F(Print_E2E, ADotPagePaintsBarsFramesAndLinesAsTheQueuesFiltersPaintThePdf)
{
    // The same shapes, on label pages whose PDF page lies a different fraction of a dot off.
    for (const QString& queue : {e2e::kZebra, e2e::kZebra300})
        for (const QSizeF mm : {QSizeF(45, 65), QSizeF(50, 90), QSizeF(62, 29)})
            Expect_The_Filters_Dots(
                data.Data_Folder(), queue, mm,
                QStringLiteral("shapes-%1-%2x%3").arg(queue).arg(mm.width()).arg(mm.height()),
                [](QPainter& painter, const QSize& page, QPointF offset) { Draw_Shapes(painter, page, offset, 24); },
                1000);
}

TEST_F(Print_E2E, ADotPagePaintsCharactersAsTheQueuesFiltersPaintThePdf)
{
    // The same characters, glyph for glyph, at both resolutions.
    for (const QString& queue : {e2e::kZebra, e2e::kZebra300})
        for (const QSizeF mm : {QSizeF(62, 100), QSizeF(70, 120)})
            Expect_The_Filters_Dots(
                data.Data_Folder(), queue, mm,
                QStringLiteral("characters-%1-%2x%3").arg(queue).arg(mm.width()).arg(mm.height()),
                [](QPainter& painter, const QSize& page, QPointF offset) {
                    Draw_Characters(painter, page, offset, 24);
                },
                20000);
}

TEST_F(Print_E2E, ADotPagePaintsPicturesAsTheQueuesFiltersPaintThePdf)
{
    // Marks and patterns overlap here and there: the later picture's dots are on top in both.
    for (const QString& queue : {e2e::kZebra, e2e::kZebra300})
        for (const QSizeF mm : {QSizeF(45, 65), QSizeF(62, 100)})
            for (const unsigned seed : {1u, 2u, 3u})
                Expect_The_Filters_Dots(
                    data.Data_Folder(), queue, mm,
                    QStringLiteral("pictures-%1-%2x%3-%4").arg(queue).arg(mm.width()).arg(mm.height()).arg(seed),
                    [seed](QPainter& painter, const QSize& page, QPointF) { Draw_Pictures(painter, page, seed); }, 500);
}

TEST_F(Print_E2E, AQueueWithoutCustomSizesPrintsOnItsDefaultPageAndTheScreenIsToldOnce)
{
    const QString queue = QStringLiteral("FoodlabelFixedPage");
    ASSERT_TRUE(e2e::Run(QStringLiteral("lpadmin"),
                         {"-p", queue, "-E", "-v", "file:///dev/null", "-m", "drv:///sample.drv/dymo.ppd"}));
    const int before = e2e::Last_Job_Id(queue);
    QSet<QString> told;
    printing::Print_Run_Context context =
        print_fixtures::Context_For(data.Data_Folder(), print_fixtures::Settings_For(queue), printers, answerer);
    context.told_default_page = &told;
    print_fixtures::Run_Issues({Issue_For("1", 1)}, Print_Mode::Immediate, context);
    print_fixtures::Run_Issues({Issue_For("1", 1)}, Print_Mode::Immediate, context);
    const std::vector<int> jobs = Jobs_After(queue, before);
    e2e::Run(QStringLiteral("lpadmin"), {"-x", queue});
    EXPECT_EQ(answerer.Shown(),
              (QStringList{"プリンタ「FoodlabelFixedPage」は/ラベルの大きさの用紙を指定できません",
                           "登録番号:0001の/印刷データを送信します", "登録番号:0001の/印刷データを送信します"}));
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_FALSE(e2e::Query_Job(jobs[0]).page_size.startsWith(QStringLiteral("Custom.")));
}

TEST_F(Print_E2E, AReservationRunOfTwoProductsIsTwoJobsWithTheMessagesInOrder)
{
    const int before = e2e::Last_Job_Id(e2e::kZebra);
    EXPECT_TRUE(
        Run({Issue_For("1", 2), Issue_For("2", 3)}, Print_Mode::Reservation, print_fixtures::Settings_For(e2e::kZebra))
            .isEmpty());
    EXPECT_EQ(answerer.Shown(),
              (QStringList{"登録番号:0001の/印刷データを送信しました", "登録番号:0002の/印刷データを送信しました",
                           "予約されていた全ての/印刷データを送信しました"}));
    const std::vector<int> jobs = Jobs_After(e2e::kZebra, before);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(e2e::Query_Job(jobs[0]).copies, 2);
    EXPECT_EQ(e2e::Query_Job(jobs[1]).copies, 3);
}

TEST_F(Print_E2E, APaperNumberThePrinterLacksEndsTheRunAndSendsNothing)
{
    ASSERT_TRUE(print_fixtures::Change_Layout_Line(data.Data_Folder(), print_fixtures::kLayout,
                                                   layouts::Layout_Paper_Number, QStringLiteral("9999")));
    const int before = e2e::Last_Job_Id(e2e::kZebra);
    const printing::Print_Issues lines = {Issue_For("1", 1)};
    EXPECT_EQ(Run(lines, Print_Mode::Immediate, print_fixtures::Settings_For(e2e::kZebra)), lines);
    EXPECT_EQ(answerer.message_boxes,
              (QStringList{"存在しない用紙番号を指定されました。\n当レイアウトの用紙番号指定を変更して下さい。",
                           "発行を中止しました"}));
    EXPECT_TRUE(answerer.requests.empty());
    EXPECT_EQ(e2e::Last_Job_Id(e2e::kZebra), before);
}

TEST_F(Print_E2E, AnEmptyPrinterNameReportsEveryLine)
{
    const int before = e2e::Last_Job_Id(e2e::kZebra);
    Run({Issue_For("1", 1), Issue_For("2", 1)}, Print_Mode::Reservation, print_fixtures::Settings_For(QString()));
    EXPECT_EQ(
        answerer.Shown(),
        (QStringList{"プリンタが見つかりません/印刷は行なえませんでした", "登録番号:0001の/印刷が出来ませんでした",
                     "プリンタが見つかりません/印刷は行なえませんでした", "登録番号:0002の/印刷が出来ませんでした",
                     "予約されていた全ての/印刷データを送信しました"}));
    EXPECT_EQ(e2e::Last_Job_Id(e2e::kZebra), before);
}

TEST_F(Print_E2E, TheBuiltInPdfPrinterWritesTheLabelIntoTheDataFolder)
{
    Run({Issue_For("1", 2)}, Print_Mode::Immediate, print_fixtures::Settings_For(platform::kBuilt_In_Pdf_Printer));
    const QDir output(data.Data_Folder() + platform::kPdf_Output_Folder_Name);
    const QStringList files = output.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    QFile pdf(output.filePath(files.first()));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    // Two labels of 45 x 65 mm, each on a page of the label's size.
    EXPECT_EQ(bytes.count("/MediaBox [0 0 128.000000 184.000000]"), 2);
    QFile::remove(e2e::Picture_Folder() + QStringLiteral("/built-in-label.pdf"));
    pdf.copy(e2e::Picture_Folder() + QStringLiteral("/built-in-label.pdf"));
}

TEST_F(Print_E2E, ThePaperSelectionListsTheSizesOfEachPrinterWithA4As9)
{
    for (const QString& printer : {e2e::kZebra, e2e::kPdfQueue, platform::kBuilt_In_Pdf_Printer}) {
        const auto entries = maintenance::Search_Paper_Sizes(printers, printer, {});
        ASSERT_TRUE(entries) << printer.toStdString();
        EXPECT_TRUE(entries->contains(QStringLiteral("0009:210mmx297mmの用紙 "))) << printer.toStdString();
    }
    EXPECT_EQ(*maintenance::Search_Paper_Sizes(printers, platform::kBuilt_In_Pdf_Printer, {}),
              (QStringList{"0001:216mmx279mmの用紙 ", "0009:210mmx297mmの用紙 ", "0011:148mmx210mmの用紙 ",
                           "0013:182mmx257mmの用紙 "}));
    // Zebra's PPD: A5 twice (the second, rotated, takes 256), then the label sizes from 257 in its order.
    const auto zebra = maintenance::Search_Paper_Sizes(printers, e2e::kZebra, {});
    ASSERT_GE(zebra->size(), 5);
    EXPECT_EQ(zebra->mid(0, 2), (QStringList{"0009:210mmx297mmの用紙 ", "0011:148mmx210mmの用紙 "}));
    EXPECT_TRUE(zebra->contains(QStringLiteral("0256:148mmx210mmの用紙 ")));
    EXPECT_TRUE(zebra->contains(QStringLiteral("0257:32mmx6mmの用紙 ")));
    EXPECT_EQ(printers.Find_Printer(e2e::kZebra)->Resolution(), 203);
}

TEST_F(Print_E2E, AStoppedQueueGetsNoJobAndTheMessageNamesIt)
{
    const QString queue = QStringLiteral("FoodlabelStopped");
    ASSERT_TRUE(e2e::Run(QStringLiteral("lpadmin"),
                         {"-p", queue, "-E", "-v", "file:///dev/null", "-m", "drv:///sample.drv/zebra.ppd"}));
    ASSERT_TRUE(e2e::Run(QStringLiteral("cupsdisable"), {queue}));
    const int before = e2e::Last_Job_Id(queue);
    const printing::Print_Issues lines = {Issue_For("1", 1)};
    EXPECT_EQ(Run(lines, Print_Mode::Reservation, print_fixtures::Settings_For(queue)), lines);
    e2e::Run(QStringLiteral("lpadmin"), {"-x", queue});
    EXPECT_EQ(e2e::Last_Job_Id(queue), before);
    ASSERT_GE(answerer.requests.size(), 1u);
    EXPECT_EQ(answerer.Shown()[0], QStringLiteral("登録番号:0001の/印刷データを送信できませんでした"));
    EXPECT_EQ(answerer.requests[0].line3, QStringLiteral("プリンタ「FoodlabelStopped」は停止しています"));
}

TEST_F(Print_E2E, ASchedulerGoneAtSubmissionIsReportedWithThePrinterName)
{
    platform::Printer* zebra = printers.Find_Printer(e2e::kZebra);
    ASSERT_NE(zebra, nullptr);
    QString error;
    const std::unique_ptr<platform::Print_Job> job = zebra->Begin_Job(error);
    ASSERT_NE(job, nullptr) << error.toStdString();
    job->Painter().drawText(100, 100, QStringLiteral("ラベル"));
    cupsSetServer("127.0.0.1:9");  // no scheduler answers there
    const platform::Job_Result result = job->End();
    cupsSetServer(nullptr);
    EXPECT_FALSE(result.sent);
    EXPECT_EQ(result.error, QStringLiteral("プリンタ「Zebra」：印刷サービス(CUPS)に接続できません"));
}

}  // namespace
