#pragma once
// One issue of labels as the printing screen, a reprint of the print history
// or the command line gives it, read and checked there; and the job made of it
// once, which the label check, the print run and the print history share.
#include "layouts/layout_record.h"
#include "platform/printer_platform.h"
#include "products/product_record.h"
#include "render/date_stamp.h"
#include "render/drawing_surface.h"
#include "render/issue_values.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace printing {

struct Print_Issue {
    QString product_no;           // four digits
    int copies = 0;               // labels of this issue
    render::Issue_Values values;  // base date and time, addition days, date mode, contents, price, barcode
    // The base as typed on the printing screen when it is no date: the label
    // takes the current moment, the reservation list shows what was typed.
    std::optional<render::Base_Texts> base_as_typed;
    std::optional<bool> page_per_copy;  // each copy a page of its own; none: as the settings say

    bool operator==(const Print_Issue&) const = default;
};
using Print_Issues = QList<Print_Issue>;

// The page the labels are composed on, as the printer prints it: its
// resolution and the dots the barcode's bars lie on. A printer that is not
// installed (or none named) is stood in for by the built-in PDF printer, which
// `note` says.
struct Printer_Geometry {
    QString printer;     // the printer asked for
    bool found = false;  // it is installed
    int dpi = render::kLabelPrinterDpi;
    int bar_grid_dpi = render::kLabelPrinterDpi;  // its own for a raster driver, a 203-dpi label printer's otherwise
    QString note;                                 // how the page was chosen when not as asked

    bool operator==(const Printer_Geometry&) const = default;
};

// The geometry of the named printer, looked up once.
Printer_Geometry Find_Geometry(platform::Printer_Finder* printers, const QString& printer);

// An issue with what its label is made of: the product and its layout, read
// once, the printer's geometry, and the date line, computed once.
struct Print_Job {
    Print_Issue issue;
    std::optional<products::Product_Record> product;  // none: the number is not in the product file
    std::optional<layouts::Layout_Record> layout;     // none: the product's layout cannot be read
    Printer_Geometry printer;
    render::Date_Line_Result date;

    bool Printable() const { return product && layout; }
};
using Print_Jobs = std::vector<Print_Job>;

// The job of an issue for that printer, its product and layout read from the
// data folder (ending in "/").
Print_Job Prepare_Job(const QString& data_folder, const Print_Issue& issue, const Printer_Geometry& printer);
// The same with the issue's product as already read (none: not in the file).
Print_Job Prepare_Job(const QString& data_folder, const Print_Issue& issue, const Printer_Geometry& printer,
                      std::optional<products::Product_Record> product);
Print_Jobs Prepare_Jobs(const QString& data_folder, const Print_Issues& issues, const Printer_Geometry& printer);

}  // namespace printing
