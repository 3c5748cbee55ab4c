#include "qt/picture_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "forms/picture.h"
#include "qt/fonts.h"
#include "qt/metrics.h"

namespace qtview {

namespace {

double mapAxis(double v, double origin, double extent, double pixels) {
    if (extent == 0 || pixels <= 1) return 0;
    return (v - origin) / extent * (pixels - 1);
}

double unmapAxis(double p, double origin, double extent, double pixels) {
    if (pixels <= 1) return origin;
    return origin + p / (pixels - 1) * extent;
}

bool finite(const QPointF& p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QPointF snapped(const QPointF& p) {
    return QPointF(std::floor(p.x() + 0.5), std::floor(p.y() + 0.5));
}

// A rectangle from two corners, both inclusive, clamped to `limit` so a
// huge box stays a sane rectangle.
QRectF cornersToRect(QPointF a, QPointF b, const QRectF& limit) {
    auto clampPoint = [&](QPointF p) {
        return QPointF(std::clamp(p.x(), limit.left(), limit.right()),
                       std::clamp(p.y(), limit.top(), limit.bottom()));
    };
    a = snapped(clampPoint(a));
    b = snapped(clampPoint(b));
    return QRectF(a, b).normalized();
}

}  // namespace

QPointF toPixels(const forms::UserScale& scale, QSizeF pixels, double x, double y) {
    return QPointF(mapAxis(x, scale.left, scale.width, pixels.width()),
                   mapAxis(y, scale.top, scale.height, pixels.height()));
}

QPointF fromPixels(const forms::UserScale& scale, QSizeF pixels, QPointF p) {
    return QPointF(unmapAxis(p.x(), scale.left, scale.width, pixels.width()),
                   unmapAxis(p.y(), scale.top, scale.height, pixels.height()));
}

bool clipLine(const QRectF& clip, QPointF& a, QPointF& b) {
    // Liang–Barsky: the part of a + t (b − a), 0 ≤ t ≤ 1, inside the rectangle.
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - clip.left(), clip.right() - a.x(), a.y() - clip.top(),
                         clip.bottom() - a.y()};
    double t0 = 0, t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;  // parallel to this edge and outside it
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

void paintDisplayList(QPainter& painter, const forms::PictureBox& box, const QRect& area, double zoom) {
    if (area.isEmpty()) return;
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QSizeF size(area.width(), area.height());
    const QPointF origin = area.topLeft();
    // Geometry beyond this margin cannot show; it is cut before drawing.
    zoom = std::isfinite(zoom) && zoom > 1 ? zoom : 1.0;
    const double margin = 64 * zoom;
    const QRectF limit = QRectF(area).adjusted(-margin, -margin, margin, margin);
    const QFont font = toQFont(box.fontName(), box.fontSize(), box.fontBold());
    const forms::UserScale& scale = box.userScale();
    auto map = [&](double x, double y) { return origin + toPixels(scale, size, x, y); };

    for (const forms::DrawCommand& cmd : box.displayList()) {
        const QColor color = toQColor(cmd.color);
        const int width = std::max(1, cmd.drawWidth);
        // A pen of width 0 is Qt's one-pixel cosmetic pen.
        const double penWidth = width == 1 && zoom == 1.0 ? 0.0 : width * zoom;
        switch (cmd.kind) {
            case forms::DrawCommand::Clear:
                painter.fillRect(area, color);
                break;
            case forms::DrawCommand::Point: {
                QPointF p = map(cmd.x1, cmd.y1);
                if (!finite(p) || !limit.contains(p)) break;
                p = snapped(p);
                if (width == 1) {
                    painter.fillRect(QRectF(p.x(), p.y(), zoom, zoom), color);
                } else {
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(color);
                    painter.drawEllipse(p, penWidth / 2.0, penWidth / 2.0);
                    painter.setBrush(Qt::NoBrush);
                }
                break;
            }
            case forms::DrawCommand::Line: {
                QPointF a = map(cmd.x1, cmd.y1);
                QPointF b = map(cmd.x2, cmd.y2);
                if (!finite(a) || !finite(b) || !clipLine(limit, a, b)) break;
                painter.setPen(QPen(color, penWidth));
                painter.drawLine(snapped(a), snapped(b));
                break;
            }
            case forms::DrawCommand::Box:
            case forms::DrawCommand::FilledBox: {
                QPointF a = map(cmd.x1, cmd.y1);
                QPointF b = map(cmd.x2, cmd.y2);
                if (!finite(a) || !finite(b)) break;
                QRectF r = cornersToRect(a, b, limit);
                if (cmd.kind == forms::DrawCommand::FilledBox) {
                    painter.fillRect(r.adjusted(0, 0, zoom, zoom), color);
                } else {
                    painter.setPen(QPen(color, penWidth));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(r);
                }
                break;
            }
            case forms::DrawCommand::Text: {
                QPointF p = map(cmd.x1, cmd.y1);
                if (!finite(p) || !limit.contains(p)) break;
                painter.setFont(font);
                painter.setPen(color);
                QFontMetricsF fm(font);
                painter.drawText(QPointF(p.x(), p.y() + fm.ascent()), toQString(cmd.text));
                break;
            }
        }
    }
    painter.restore();
}

QImage renderPicture(const forms::PictureBox& box, QSize pixels) {
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(toQColor(box.backColor()));
    QPainter painter(&image);
    paintDisplayList(painter, box, QRect(QPoint(0, 0), pixels));
    return image;
}

}  // namespace qtview
