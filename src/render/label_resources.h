#pragma once
// What composing labels keeps from one label to the next: the decoded
// pictures, the numbers of the layout composed last, the fonts prepared for a
// device resolution and the pictures converted for a surface. A print run or
// a preview holds one for all its labels and hands it to the composer and the
// surfaces; nothing outlives it.
#include "layouts/layout_record.h"
#include "render/drawing_surface.h"
#include "render/text_flow.h"

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QRawFont>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace render {

// A text run's font as a painter holds it, with what drawing it needs.
struct Prepared_Font {
    Run_Font run;
    QFont font;
    QRawFont glyphs;  // the face itself, without fallback faces
    double ascent = 0;
    bool synthetic_bold = false;  // bold, but the face has no bold style
};

// How a surface draws a picture whose white must leave the label unchanged.
enum class Picture_Conversion {
    Without_White,  // white made transparent (printer and PDF pages)
    Rgb32,          // opaque, for a raster operation (the preview)
};

class Label_Resources {
public:
    Label_Resources();
    ~Label_Resources();
    Label_Resources(const Label_Resources&) = delete;
    Label_Resources& operator=(const Label_Resources&) = delete;

    // The picture of a file, read again when the file changes (time or size);
    // null when there is none. Labels get the same decoded picture, so that a
    // document of many labels holds it once.
    QImage Picture(const QString& path);
    // The numbers of the layout, read again only when one of its lines differs.
    const Layout_Numbers& Numbers(const layouts::Layout_Record& layout);
    // The picture converted for drawing, once per picture.
    const QImage& Converted(const QImage& picture, Picture_Conversion conversion);
    // The fonts prepared so far for a device of that resolution.
    std::vector<Prepared_Font>& Fonts(int dpi_x, int dpi_y) { return fonts_[{dpi_x, dpi_y}]; }

private:
    struct Loaded {
        QDateTime modified;
        qint64 size = -1;
        QImage picture;
    };
    std::map<QString, Loaded> pictures_;
    std::unique_ptr<layouts::Layout_Record> numbers_layout_;  // the copy the numbers read
    std::optional<Layout_Numbers> numbers_;
    std::map<std::pair<qint64, Picture_Conversion>, QImage> converted_;
    std::map<std::pair<int, int>, std::vector<Prepared_Font>> fonts_;
};

}  // namespace render
