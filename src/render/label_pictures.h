#pragma once
// A whole label as a picture: the preview picture at twice the printed size,
// and a one-page PDF drawn through the printer page.
#include "layouts/layout_record.h"
#include "products/product_record.h"
#include "render/drawing_surface.h"
#include "render/issue_values.h"
#include "render/label_composer.h"

#include <QImage>
#include <QSizeF>

namespace render {

// Size of the preview picture in twips: the label plus 3 mm each way, at
// 56.7 twips per mm, doubled; a turned layout is wider than high.
QSizeF Preview_Picture_Twips(const layouts::Layout_Record& layout);

// The label composed on a white preview picture of that size.
QImage Compose_Preview_Picture(const products::Product_Record& product, const layouts::Layout_Record& layout,
                               const Issue_Values& issue, const Compose_Context& context,
                               const Surface_Profile& profile);

// Writes the label as a one-page PDF the size of the label (Label_Width across,
// Label_Length down), drawn by the printer page of a `dpi` printer. Returns an
// error text, empty on success.
QString Compose_Label_Pdf(const QString& path, const products::Product_Record& product,
                          const layouts::Layout_Record& layout, const Issue_Values& issue,
                          const Compose_Context& context, int dpi);

}  // namespace render
