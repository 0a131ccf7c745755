#pragma once
// What is wrong with a label before it is printed: parts outside the label or
// over each other, and a barcode that will not scan. The label is composed onto
// a recording surface and every finding comes from the boxes the composer drew.
#include "layouts/layout_record.h"
#include "products/allergen_dictionary.h"
#include "products/product_record.h"
#include "render/drawing_surface.h"
#include "render/issue_values.h"
#include "render/recording_surface.h"
#include "store/settings.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
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
    // Where the parts concerned lie on the label as it is read, in millimetres
    // (two parts for an overlap); none when the part is not drawn.
    std::vector<QRectF> boxes_mm = {};

    bool operator==(const Finding&) const = default;
};

// Adds what a product's recipe says about its label (set by printing, which
// knows where recipes are kept); empty: the label is checked without one.
using Recipe_Check = std::function<void(const products::Product_Record& product, std::vector<Finding>& findings)>;

struct Check_Context {
    store::Settings_Record settings;
    QString data_folder;  // where the pictures come from, ending in "/"
    int printer_dpi = 203;
    // The allergens to look for; none: the list or dictionary could not be
    // read, which the check notes with `allergen_error`.
    std::optional<products::Allergen_Dictionary> allergens;
    QString allergen_error;
    Recipe_Check check_recipe;
};

constexpr double kNominalModuleMm = 0.33;
constexpr double kMinimumMagnification = 0.80;
constexpr double kMaximumMagnification = 2.00;

// The findings for one product on one layout printed at one resolution.
std::vector<Finding> Check_Label(const products::Product_Record& product, const layouts::Layout_Record& layout,
                                 const Issue_Values& issue, const Check_Context& context);

// The findings that depend on the layout: parts outside the label or over each
// other, the barcode, and the sizes of recycling marks and characters.
std::vector<Finding> Check_Layout(const products::Product_Record& product, const layouts::Layout_Record& layout,
                                  const Issue_Values& issue, const Check_Context& context);

// The parts of a label composed on the recording surface (as the preview draws
// it) that lie partly or wholly outside the label, and the parts that overlap.
std::vector<Finding> Check_Placement(const Recording_Surface& surface, const layouts::Layout_Record& layout);

// A product with every item filled, to check a layout when no product is chosen.
products::Product_Record Sample_Product();

// The width in millimetres of one barcode module printed at that resolution:
// 0.25 mm rounded to whole dots, at least one.
double Printed_Module_Mm(int dpi);

// "誤り", "注意" or "確認": how a finding is marked in lists.
QString Severity_Mark(Severity severity);
// A finding as one line of a list: its mark, then its message.
QString Finding_Line(const Finding& finding);

// The label's name of a part ("バーコード", "栄養成分表示", …).
QString Block_Name(Label_Block block);

}  // namespace render
