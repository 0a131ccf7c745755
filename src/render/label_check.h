#pragma once
// What is wrong with a label before it is printed: parts outside the label or
// over each other, and a barcode that will not scan. The label is composed onto
// a recording surface and every finding comes from the boxes the composer drew.
#include "layouts/layout_record.h"
#include "products/product_record.h"
#include "render/drawing_surface.h"
#include "render/issue_values.h"
#include "store/settings.h"

#include <QString>

#include <vector>

namespace render {

enum class Severity {
    Error,    // the label is wrong or will not scan
    Warning,  // it may break the labelling rules
    Note,     // information for the user to confirm
};

struct Finding {
    Severity severity = Severity::Error;
    QString message;
    Label_Block block = Label_Block::Background;

    bool operator==(const Finding&) const = default;
};

struct Check_Context {
    store::Settings_Record settings;
    QString data_folder;  // where the pictures come from, ending in "/"
    int printer_dpi = 203;
};

constexpr double kNominalModuleMm = 0.33;
constexpr double kMinimumMagnification = 0.80;
constexpr double kMaximumMagnification = 2.00;

// The findings for one product on one layout printed at one resolution.
std::vector<Finding> Check_Label(const products::Product_Record& product, const layouts::Layout_Record& layout,
                                 const Issue_Values& issue, const Check_Context& context);

// The width in millimetres of one barcode module printed at that resolution:
// 0.25 mm rounded to whole dots, at least one.
double Printed_Module_Mm(int dpi);

// The label's name of a part ("バーコード", "栄養成分表示", …).
QString Block_Name(Label_Block block);

}  // namespace render
