#pragma once
// Painting a picture box's display list. Scale units map linearly onto the
// pixels of the drawing area so that the scale's edges land on the first
// and last pixel: (scaleLeft, scaleTop) is pixel (0, 0) and
// (scaleLeft + scaleWidth, scaleTop + scaleHeight) is pixel (W − 1, H − 1).
// A graph's frame drawn along its scale edges therefore stays visible.

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

class QPainter;

namespace forms {
class PictureBox;
struct UserScale;
}  // namespace forms

namespace qtview {

// px = (x − scaleLeft) / scaleWidth × (W − 1), likewise y; `pixels` is the
// area's size W × H. A zero scale width or height maps to pixel 0.
QPointF toPixels(const forms::UserScale& scale, QSizeF pixels, double x, double y);
// The inverse: a pixel position (relative to the area) in scale units.
QPointF fromPixels(const forms::UserScale& scale, QSizeF pixels, QPointF p);

// Cuts the segment a–b to the rectangle; false when nothing of it is
// inside. Keeps wild values (a graph of a broken signal) from reaching the
// rasteriser.
bool clipLine(const QRectF& clip, QPointF& a, QPointF& b);

// Replays the display list into `area` of the painter's device: Clear fills
// the area with its colour, Point sets a pixel (a dot of drawWidth), Line
// and Box draw with a pen of drawWidth, FilledBox fills, Text writes with
// its top left at the point in the box's font. Commands with values that
// are not finite are skipped. `zoom` draws the list for an area `zoom`
// times its size on screen: pens and dots are that much wider (a 1-pixel
// line becomes `zoom` pixels); text grows with the device's DPI, which the
// caller sets to match.
void paintDisplayList(QPainter& painter, const forms::PictureBox& box, const QRect& area, double zoom = 1.0);

// The display list rendered into an image of the given size (no border).
QImage renderPicture(const forms::PictureBox& box, QSize pixels);

}  // namespace qtview
