#include "qt/picture_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <cmath>

#include "forms/picture.h"
#include "qt/metrics.h"
#include "qt/picture_painter.h"

namespace qtview {

namespace {

// No graph of the window comes near this; a wild scale must not ask for
// gigabytes.
constexpr double kMostPixels = 64.0 * 1024 * 1024;

int scaled(int pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

}  // namespace

QImage renderPlacedPictures(const std::vector<PlacedPicture>& pictures, double scale, double dpiX,
                            double dpiY, forms::Color ground) {
    if (pictures.empty() || !std::isfinite(scale) || scale <= 0) return {};
    QRect bounds;
    for (const PlacedPicture& p : pictures)
        bounds = bounds.united(p.rect);
    const QSize size(scaled(bounds.width(), scale), scaled(bounds.height(), scale));
    if (size.isEmpty() || static_cast<double>(size.width()) * size.height() > kMostPixels) return {};

    QImage image(size, QImage::Format_RGB32);
    // Text is measured in points: the image's resolution makes it `scale`
    // times as large as on the screen.
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpiX * scale / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpiY * scale / 0.0254)));
    image.fill(toQColor(ground));
    QPainter painter(&image);
    for (const PlacedPicture& p : pictures) {
        if (p.box == nullptr || p.rect.isEmpty()) continue;
        const QPoint offset = p.rect.topLeft() - bounds.topLeft();
        const QRect area(QPoint(scaled(offset.x(), scale), scaled(offset.y(), scale)),
                         QSize(scaled(p.rect.width(), scale), scaled(p.rect.height(), scale)));
        painter.fillRect(area, toQColor(p.box->backColor()));
        paintDisplayList(painter, *p.box, area, scale);
    }
    return image;
}

std::optional<std::string> encodePng(const QImage& image) {
    if (image.isNull()) return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return std::nullopt;
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace qtview
