#include "render/label_pictures.h"

#include "render/label_composer.h"
#include "render/qt_surfaces.h"
#include "store/text_helpers.h"

#include <QPageSize>
#include <QPdfWriter>

#include <cmath>

namespace render {

QSizeF Preview_Picture_Twips(const layouts::Layout_Record& layout)
{
    constexpr double kTwipsPerMm = 56.7;
    constexpr double kMarginMm = 3;
    const double length = (layout.Number(layouts::Label_Length) + kMarginMm) * kTwipsPerMm * 2;
    const double width = (layout.Number(layouts::Label_Width) + kMarginMm) * kTwipsPerMm * 2;
    return Is_Turned(layout) ? QSizeF(length, width) : QSizeF(width, length);
}

QImage Compose_Preview_Picture(const products::Product_Record& product, const layouts::Layout_Record& layout,
                               const Issue_Values& issue, const Compose_Context& context,
                               const Surface_Profile& profile)
{
    const QSizeF twips = Preview_Picture_Twips(layout);
    QImage picture(Preview_Pixels(twips.width(), profile), Preview_Pixels(twips.height(), profile),
                   QImage::Format_RGB32);
    Preview_Picture_Surface surface(picture, profile, context.resources);
    Label_Composer(surface, product, layout, issue, context);
    return picture;
}

QString Compose_Label_Pdf(const QString& path, const products::Product_Record& product,
                          const layouts::Layout_Record& layout, const Issue_Values& issue,
                          const Compose_Context& context, int dpi)
{
    const double width = layout.Number(layouts::Label_Width);
    const double length = layout.Number(layouts::Label_Length);
    if (width <= 0 || length <= 0)
        return QStringLiteral("The layout has no label size (length %1 mm, width %2 mm).").arg(length).arg(width);
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QSizeF(width, length), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("Cannot write %1.").arg(path);
    Printer_Page_Surface surface(painter, dpi, dpi, Bar_Edges::On_Dots, context.resources);
    surface.Length_Limit_mm = store::Round_Half_Even(length);
    Label_Composer(surface, product, layout, issue, context);
    painter.end();
    return {};
}

}  // namespace render
