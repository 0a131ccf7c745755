#include "platform/glyph_dots.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QtEndian>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H
#include FT_TRUETYPE_DRIVER_H

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Where the PDF object `number` begins, after "<number> 0 obj", or -1.
qsizetype Pdf_Object_Start(const QByteArray& pdf, int number)
{
    const QByteArray head = '\n' + QByteArray::number(number) + " 0 obj";
    const qsizetype from = pdf.indexOf(head);
    return from < 0 ? -1 : from + head.size();
}

// The number after `name` in `text` ("/Length 21025", "/FontFile2 21 0 R"), or -1.
long long Number_After(const QByteArray& text, const QByteArray& name)
{
    qsizetype at = text.indexOf(name);
    if (at < 0)
        return -1;
    at += name.size();
    while (at < text.size() && (text[at] == ' ' || text[at] == '\n' || text[at] == '\r'))
        ++at;
    qsizetype end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    return end > at ? text.mid(at, end - at).toLongLong() : -1;
}

// The decompressed data of the stream in object `number`, or empty; the
// stream is cut by its length, whatever bytes it holds.
QByteArray Pdf_Stream(const QByteArray& pdf, int number)
{
    const qsizetype begin = Pdf_Object_Start(pdf, number);
    const qsizetype start = begin < 0 ? -1 : pdf.indexOf("stream\n", begin);
    if (start < 0)
        return {};
    const QByteArray dictionary = pdf.mid(begin, start - begin);
    long long length = Number_After(dictionary, "/Length ");
    if (dictionary.contains(QByteArray("/Length ") + QByteArray::number(length) + " 0 R")) {
        const qsizetype length_object = Pdf_Object_Start(pdf, int(length));
        length = length_object < 0 ? -1 : Number_After(pdf.mid(length_object, 32), "");
    }
    if (length < 0 || start + 7 + length > pdf.size())
        return {};
    const QByteArray data = pdf.mid(start + 7, qsizetype(length));
    if (!dictionary.contains("/FlateDecode"))
        return data;
    // qUncompress takes zlib data after the expected size, big-endian.
    const long long expected = std::max(0LL, Number_After(dictionary, "/Length1 "));
    QByteArray sized(4, '\0');
    qToBigEndian(quint32(expected), sized.data());
    return qUncompress(sized + data);
}

// The TrueType program our PDF writer embeds for `glyphs` of `font`, the
// glyphs numbered from 1 in their order, and whether it draws each glyph a
// second time to embolden it; no program when the writer would embed none
// or would slant the glyphs.
std::pair<QByteArray, bool> Embedded_Program(const QRawFont& font, const QList<quint32>& glyphs)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        QPainter painter(&pdf);
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes(glyphs);
        run.setPositions(QList<QPointF>(glyphs.size(), QPointF(0, font.pixelSize())));
        painter.drawGlyphRun(QPointF(), run);
    }
    const QByteArray& pdf = buffer.data();
    const long long program = Number_After(pdf, "/FontFile2 ");
    const long long contents = Number_After(pdf, "/Contents ");
    if (program < 0 || contents < 0)
        return {};
    // A synthesized italic is slanted in the text matrix; a synthesized bold
    // is drawn again, marked as text of its own.
    const QByteArray page = Pdf_Stream(pdf, int(contents));
    if (!page.contains(" 0 0 -1 0 0 Tm"))
        return {};
    return {Pdf_Stream(pdf, int(program)), page.contains("/ActualText <>")};
}

// Characters most labels print: the item captions, kana, digits, letters and
// the marks between them.
const QString& Common_Label_Characters()
{
    static const QString characters = [] {
        QString text = QStringLiteral(
            "名称原材料内容量賞味期限消費保存方法製造者販売所加工輸入国産地栄養成分表示熱量"
            "たんぱく質脂炭水化物食塩相当糖繊維一部含乳卵小麦落花生えびかにそば直射日光高温多湿避常"
            "冷蔵凍以下開封後早召上個枚袋本入年月日時分円税込価格当たり／・、。：（）「」【】％－");
        for (char16_t c = u'!'; c <= u'~'; ++c)
            text += QChar(c);
        for (char16_t c = u'ぁ'; c <= u'ん'; ++c)
            text += QChar(c);
        for (char16_t c = u'ァ'; c <= u'ヶ'; ++c)
            text += QChar(c);
        for (char16_t c = u'０'; c <= u'９'; ++c)
            text += QChar(c);
        return text + QStringLiteral("ー");
    }();
    return characters;
}

// What the rasteriser's fixed-point conversion makes of a matrix element: +0.5, cut towards zero.
long Fixed_Element(double value)
{
    return long(value * 65536 + 0.5);
}

}  // namespace

struct Glyph_Dots::Library {
    FT_Library freetype = nullptr;
    Library()
    {
        if (FT_Init_FreeType(&freetype) != 0) {
            freetype = nullptr;
            return;
        }
        FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
        FT_Property_Set(freetype, "truetype", "interpreter-version", &interpreter);
    }
    ~Library()
    {
        if (freetype)
            FT_Done_FreeType(freetype);
    }
};

Glyph_Dots::Glyph_Dots(int dpi) : dpi_(dpi), library_(std::make_unique<Library>())
{
}

Glyph_Dots::~Glyph_Dots() = default;

struct Glyph_Dots::Program {
    QByteArray data;  // FreeType reads the face from it while the face lives
    FT_Face face = nullptr;
    QList<quint32> glyphs;  // the font's glyphs in it, numbered from 1 in this order
    ~Program()
    {
        if (face)
            FT_Done_Face(face);
    }
};

int Glyph_Dots::Font_Index(const QRawFont& font)
{
    // The embedded program is made of the face's outlines, whatever the size.
    const auto same_face = [&](const Font& known) {
        return known.raw.familyName() == font.familyName() && known.raw.styleName() == font.styleName()
            && known.raw.weight() == font.weight() && known.raw.style() == font.style();
    };
    const auto found = std::find_if(fonts_.begin(), fonts_.end(), same_face);
    if (found != fonts_.end())
        return int(found - fonts_.begin());
    fonts_.push_back(Font{font, true, false, {}});
    return int(fonts_.size()) - 1;
}

std::pair<const Glyph_Dots::Program*, unsigned> Glyph_Dots::Find(const Font& font, quint32 glyph) const
{
    for (const auto& program : font.programs) {
        const qsizetype at = program->glyphs.indexOf(glyph);
        if (at >= 0)
            return {program.get(), unsigned(at + 1)};
    }
    return {nullptr, 0};
}

bool Glyph_Dots::Add_Program(Font& font, const QList<quint32>& glyphs)
{
    auto program = std::make_unique<Program>();
    bool bold_copy = false;
    std::tie(program->data, bold_copy) = Embedded_Program(font.raw, glyphs);
    if (program->data.isEmpty() || !library_->freetype
        || FT_New_Memory_Face(library_->freetype, reinterpret_cast<const FT_Byte*>(program->data.constData()),
                              FT_Long(program->data.size()), 0, &program->face)
            != 0) {
        font.embeddable = false;  // asking the writer again gives the same answer
        return false;
    }
    font.bold_copy = bold_copy;
    program->glyphs = glyphs;
    font.programs.push_back(std::move(program));
    return true;
}

bool Glyph_Dots::Render(int font_index, const std::vector<std::pair<quint32, Matrix>>& missing)
{
    Font& font = fonts_[size_t(font_index)];
    // One program for the glyphs no program holds yet. Each PDF costs the
    // same few milliseconds however few glyphs it holds, so it also takes the
    // expected characters' glyphs and, a face's first, those of the characters
    // most labels print: later lines seldom need a program of their own.
    QList<quint32> absent;
    const auto take = [&](quint32 glyph) {
        if (glyph != 0 && !absent.contains(glyph) && !Find(font, glyph).first)
            absent.append(glyph);
    };
    for (const auto& [glyph, matrix] : missing)
        take(glyph);
    if (!absent.isEmpty()) {
        for (const quint32 glyph : font.raw.glyphIndexesForString(expected_))
            take(glyph);
        if (font.programs.empty())
            for (const quint32 glyph : font.raw.glyphIndexesForString(Common_Label_Characters()))
                take(glyph);
        if (!Add_Program(font, absent))
            return false;
    }
    for (const auto& [glyph, matrix] : missing) {
        // The transform's scale: the smaller axis is the character size, the rest stays in the transform.
        const double across = std::hypot(double(matrix[0]), double(matrix[2])) / 65536;
        const double down = std::hypot(double(matrix[1]), double(matrix[3])) / 65536;
        const double size = std::min(across, down);
        if (size < 1.0 || size * dpi_ < 2268.0 / 64 || std::max(across, down) * dpi_ > 512.0 * 72)
            return false;  // sizes the rasteriser scales by other rules
        const auto [program, number] = Find(font, glyph);
        FT_Face face = program->face;
        const FT_Fixed unscale = FT_Fixed(65536.0 / size);
        FT_Matrix transform{FT_MulFix(matrix[0], unscale), FT_MulFix(matrix[2], unscale), FT_MulFix(matrix[1], unscale),
                            FT_MulFix(matrix[3], unscale)};
        const FT_F26Dot6 char_size = FT_F26Dot6(size * 64);
        if (FT_Set_Char_Size(face, char_size, char_size, FT_UInt(dpi_), FT_UInt(dpi_)) != 0)
            return false;
        FT_Set_Transform(face, &transform, nullptr);
        if (FT_Load_Glyph(face, number, FT_LOAD_MONOCHROME | FT_LOAD_NO_BITMAP | FT_LOAD_LINEAR_DESIGN) != 0
            || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
            return false;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        Picture picture{face->glyph->bitmap_left, face->glyph->bitmap_top, int(bitmap.width), int(bitmap.rows), {}};
        const int row_bytes = (picture.width + 7) / 8;
        picture.bits.resize(size_t(row_bytes) * size_t(picture.rows));
        for (int row = 0; row < picture.rows; ++row)
            std::copy_n(bitmap.buffer + ptrdiff_t(row) * bitmap.pitch, row_bytes,
                        picture.bits.begin() + ptrdiff_t(row) * row_bytes);
        pictures_[{font_index, glyph, matrix}] = std::move(picture);
    }
    return true;
}

void Glyph_Dots::Place(QImage& dots, const Picture& picture, QPointF origin, int ink)
{
    const int left = int(std::floor(origin.x() + 0.5)) + picture.left;
    const int top = int(std::floor(origin.y() + 0.5)) - picture.top;
    const int row_bytes = (picture.width + 7) / 8;
    for (int row = 0; row < picture.rows; ++row) {
        const int y = top + row;
        if (y < 0 || y >= dots.height())
            continue;
        uchar* line = dots.scanLine(y);
        const unsigned char* bits = picture.bits.data() + ptrdiff_t(row) * row_bytes;
        for (int column = 0; column < picture.width; ++column) {
            const int x = left + column;
            if (x >= 0 && x < dots.width() && (bits[column / 8] & (0x80 >> (column % 8))))
                line[x] = uchar(ink);
        }
    }
}

bool Glyph_Dots::Paint(QImage& dots, const QGlyphRun& run, const QFont& font, const QTransform& to_dots, int ink)
{
    const QRawFont raw = run.rawFont();
    if (!raw.isValid() || dots.format() != QImage::Format_Grayscale8)
        return false;
    const int font_index = Font_Index(raw);
    if (!fonts_[size_t(font_index)].embeddable)
        return false;
    // The em of a glyph on the page, as the PDF writer sets it: the font's
    // size in pixels, its stretch across; glyph space runs upwards.
    const double em = raw.pixelSize();
    const double stretch = font.stretch() > 0 ? font.stretch() / 100.0 : 1.0;
    const double points = 72.0 / dpi_;
    const double a = em * stretch * to_dots.m11() * points, b = em * stretch * to_dots.m12() * points;
    const double c = -em * to_dots.m21() * points, d = -em * to_dots.m22() * points;
    const Matrix matrix{Fixed_Element(a), -Fixed_Element(b), Fixed_Element(c), -Fixed_Element(d)};
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    std::vector<std::pair<quint32, Matrix>> missing;
    for (const quint32 glyph : glyphs)
        if (!pictures_.count({font_index, glyph, matrix}))
            missing.push_back({glyph, matrix});
    if (!missing.empty() && !Render(font_index, missing))
        return false;
    // The writer's emboldening copy lies half a line's thickness back along the text.
    const QPointF bold_shift(-0.5 * raw.lineThickness() * stretch, 0);
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
        const Picture& picture = pictures_.at({font_index, glyphs[i], matrix});
        // The painter hands the engine positions in 1/64 pixel.
        const QPointF position(std::round(positions[i].x() * 64) / 64, std::round(positions[i].y() * 64) / 64);
        Place(dots, picture, to_dots.map(position), ink);
        if (fonts_[size_t(font_index)].bold_copy)
            Place(dots, picture, to_dots.map(position + bold_shift), ink);
    }
    return true;
}

}  // namespace platform
