#pragma once
// What is wrong with a label before it is printed. The label is composed onto
// a recording surface with the geometry of the printer page it is printed on
// (its resolution, the dots its barcode bars lie on, characters in whole
// points), and every finding about where parts lie comes from the boxes the
// composer drew there. The outlines a preview draws come from the same label
// composed with the preview's own geometry.
#include "layouts/layout_record.h"
#include "products/allergen_dictionary.h"
#include "products/product_record.h"
#include "render/drawing_surface.h"
#include "render/issue_values.h"
#include "render/label_resources.h"
#include "render/recording_surface.h"
#include "store/settings.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace render {

// The label as it is read (a turned layout is wider than high), in millimetres.
QRectF Label_Area(const layouts::Layout_Record& layout);

enum class Severity {
    Error,    // the label is wrong or will not scan
    Warning,  // it may break the labelling rules
    Note,     // information for the user to confirm
};

struct Finding {
    Severity severity = Severity::Error;
    QString message;
    Label_Block block = Label_Block::Background;
    // Where the parts concerned lie on the label as the preview shows it, in
    // millimetres (two parts for an overlap); none when the part is not drawn.
    std::vector<QRectF> boxes_mm = {};
    Label_Block other_block = Label_Block::Background;  // the other part of an overlap
    bool with_quiet_zones = false;                      // the outline takes in the barcode's quiet zones
    // Every label of this layout on this printer gets it, whatever the product:
    // shown where the layout is checked, never before each print.
    bool layout_wide = false;

    bool operator==(const Finding&) const = default;
};

// Adds what a product's recipe says about its label (set by printing, which
// knows where recipes are kept); empty: the label is checked without one.
using Recipe_Check = std::function<void(const products::Product_Record& product, std::vector<Finding>& findings)>;

struct Check_Context {
    store::Settings_Record settings;
    QString data_folder;                  // where the pictures and the product extras come from, ending in "/"
    int printer_dpi = kLabelPrinterDpi;   // resolution of the printer page
    int bar_grid_dpi = kLabelPrinterDpi;  // dots the barcode's bars are laid on
    // The allergens to look for; none: the list or dictionary could not be
    // read, which the check notes with `allergen_error`.
    std::optional<products::Allergen_Dictionary> allergens;
    QString allergen_error;
    // Whether the package's printable surface is 150 cm² or less (5.5-point
    // characters allowed); none: as kept for the product in the data folder.
    std::optional<bool> small_package;
    // How the printer was chosen when not as asked (no printer set up), said
    // before the findings; empty otherwise.
    QString printer_note;
    Recipe_Check check_recipe;
    // Pictures and layout numbers shared by the labels checked together; none:
    // each label reads its own.
    Label_Resources* resources = nullptr;
};

constexpr double kNominalModuleMm = 0.33;
constexpr double kMinimumMagnification = 0.80;
constexpr double kMaximumMagnification = 2.00;
constexpr double kNominalBarHeightMm = 22.85;  // EAN-13 bars at 100 %

// The findings of one label as it is printed: parts outside the label or over
// each other, the barcode's number and quiet zones, recycling marks and
// character sizes, and the labelling items of the product.
std::vector<Finding> Check_Label(const products::Product_Record& product, const layouts::Layout_Record& layout,
                                 const Issue_Values& issue, const Check_Context& context);

// The findings the layout decides (placement, barcode, marks and character
// sizes; not the product's items), with those every label of the layout gets
// on this printer (module size, bar height).
std::vector<Finding> Check_Layout(const products::Product_Record& product, const layouts::Layout_Record& layout,
                                  const Issue_Values& issue, const Check_Context& context);

// Check_Label, then the findings every label of the layout gets, each once.
std::vector<Finding> Check_Label_And_Layout(const products::Product_Record& product,
                                            const layouts::Layout_Record& layout, const Issue_Values& issue,
                                            const Check_Context& context);

// Sets the outlines of the findings for a picture of the label drawn with
// `profile` (a preview's): the boxes of each finding's parts as drawn there.
void Outline_Findings(std::vector<Finding>& findings, const products::Product_Record& product,
                      const layouts::Layout_Record& layout, const Issue_Values& issue, const Check_Context& context,
                      const Surface_Profile& profile);

// The parts of a label composed on the recording surface (as the preview draws
// it) that lie partly or wholly outside the label, and the parts that overlap.
std::vector<Finding> Check_Placement(const Recording_Surface& surface, const layouts::Layout_Record& layout);

// A product with every item filled and right, to check a layout when no product is chosen.
products::Product_Record Sample_Product();

// The width in millimetres of one barcode module printed on that grid:
// 0.25 mm rounded to whole dots, at least one.
double Printed_Module_Mm(int dpi);

// "誤り", "注意" or "確認": how a finding is marked in lists.
QString Severity_Mark(Severity severity);
// A finding as one line of a list: its mark, then its message.
QString Finding_Line(const Finding& finding);

// The label's name of a part ("バーコード", "栄養成分表示", …).
QString Block_Name(Label_Block block);

}  // namespace render
