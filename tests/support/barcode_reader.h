#pragma once
// What an independent reader makes of printed barcodes: PDF pages turned into
// pictures by pdftoppm (poppler-utils), symbols read by zbarimg (zbar-tools).
#include <QString>
#include <QStringList>

namespace test_support {

// Runs an installed program and returns its standard output, trimmed; a
// program that is not installed or fails leaves `error` saying so.
QString Run_Tool(const QString& program, const QStringList& arguments, QString& error);

// Page `page` (from 1) of the PDF as a PNG at `dpi`; returns the picture's path.
QString Rasterise_Pdf_Page(const QString& pdf, int page, int dpi, const QString& png_prefix, QString& error);

// The codes zbarimg reads in a picture, one per line, digits only.
QString Read_Barcodes(const QString& picture, QString& error);

}  // namespace test_support
