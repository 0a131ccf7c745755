#include "support/barcode_reader.h"

#include <QProcess>
#include <QStandardPaths>

namespace test_support {

QString Run_Tool(const QString& program, const QStringList& arguments, QString& error)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        error = program + QStringLiteral(" is not installed (scripts/install-deps.sh)");
        return {};
    }
    QProcess process;
    process.start(path, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        error = program + QStringLiteral(" did not finish");
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString Rasterise_Pdf_Page(const QString& pdf, int page, int dpi, const QString& png_prefix, QString& error)
{
    const QString number = QString::number(page);
    Run_Tool(QStringLiteral("pdftoppm"),
             {"-png", "-r", QString::number(dpi), "-f", number, "-l", number, "-singlefile", pdf, png_prefix}, error);
    return png_prefix + QStringLiteral(".png");
}

QString Read_Barcodes(const QString& picture, QString& error)
{
    // zbarimg exits with 4 when it finds no symbol; its output is then empty.
    return Run_Tool(QStringLiteral("zbarimg"), {"--quiet", "--raw", picture}, error);
}

}  // namespace test_support
