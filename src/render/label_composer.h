#pragma once
// One product on one layout with the values of one issue, drawn onto a surface.
#include "layouts/layout_record.h"
#include "products/product_record.h"
#include "render/date_stamp.h"
#include "render/drawing_surface.h"
#include "render/issue_values.h"
#include "render/label_resources.h"
#include "store/answerer.h"
#include "store/settings.h"

#include <QString>

#include <optional>

namespace render {

inline const QString kNutritionTemplateTitle = QStringLiteral("栄養成分(1食分○g当たり)");
inline const QString kSoftwareBarcode = QStringLiteral("ソフトウェアにて生成");
inline const QString kCentredPaper = QStringLiteral("中央寄せ");

// What the composer needs besides the product, the layout and the issue.
struct Compose_Context {
    store::Settings_Record settings;  // the printer page's corrections, centring and barcode method
    QString data_folder;              // where the pictures come from, ending in "/"
    // Notices: missing pictures, a date that cannot be computed, paper length;
    // none: the label is composed without telling (the label check).
    store::Answerer* answerer = nullptr;
    // The date line as computed for the job; none: computed from the issue here.
    std::optional<Date_Line_Result> date = std::nullopt;
    // What labels of one run or window share (pictures, layout numbers); none:
    // this label reads its own.
    Label_Resources* resources = nullptr;
};

// Composes the label onto the surface.
void Label_Composer(Drawing_Surface& surface, const products::Product_Record& product,
                    const layouts::Layout_Record& layout, const Issue_Values& issue, const Compose_Context& context);

// The recycling-mark picture for a mark text ("プラ", "紙"), upright or turned;
// empty for "なし" and any other text.
QString Recycle_Picture_Name(const QString& mark, bool turned);

// Whether a layout is printed turned by 90 degrees (any direction other than 0).
bool Is_Turned(const layouts::Layout_Record& layout);

}  // namespace render
