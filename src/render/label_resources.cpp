#include "render/label_resources.h"

#include <QFileInfo>
#include <QImageReader>

namespace render {
namespace {

constexpr size_t kMostPictures = 32;

// White becomes transparent, so the picture darkens the label and never whitens it.
QImage Without_White(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == 0x00FFFFFF)
                line[x] = 0;
    }
    return image;
}

}  // namespace

Label_Resources::Label_Resources() = default;
Label_Resources::~Label_Resources() = default;

QImage Label_Resources::Picture(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile()) {
        pictures_.erase(path);
        return {};
    }
    auto found = pictures_.find(path);
    if (found == pictures_.end() || found->second.picture.isNull() || found->second.modified != file.lastModified()
        || found->second.size != file.size()) {
        if (pictures_.size() > kMostPictures)
            pictures_.clear();
        QImageReader reader(path);
        found = pictures_.insert_or_assign(path, Loaded{file.lastModified(), file.size(), reader.read()}).first;
    }
    return found->second.picture;
}

const Layout_Numbers& Label_Resources::Numbers(const layouts::Layout_Record& layout)
{
    if (!numbers_ || numbers_layout_->line != layout.line) {
        numbers_.reset();
        numbers_layout_ = std::make_unique<layouts::Layout_Record>(layout);
        numbers_.emplace(*numbers_layout_);
    }
    return *numbers_;
}

const QImage& Label_Resources::Converted(const QImage& picture, Picture_Conversion conversion)
{
    const std::pair key(picture.cacheKey(), conversion);
    auto found = converted_.find(key);
    if (found == converted_.end()) {
        if (converted_.size() > kMostPictures)
            converted_.clear();
        QImage image = conversion == Picture_Conversion::Without_White ? Without_White(picture)
                                                                       : picture.convertToFormat(QImage::Format_RGB32);
        found = converted_.emplace(key, std::move(image)).first;
    }
    return found->second;
}

}  // namespace render
