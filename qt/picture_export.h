#pragma once
// Graphs as image files: picture boxes painted from their display lists
// into one image, each where it lies on the screen, at a chosen scale, and
// the image encoded as PNG.

#include <QImage>
#include <QRect>
#include <optional>
#include <string>
#include <vector>

#include "forms/types.h"

namespace forms {
class PictureBox;
}

namespace qtview {

// A picture and its rectangle on the screen in pixels; the rectangles of
// the pictures that go into one image share one frame (their window's).
struct PlacedPicture {
    const forms::PictureBox* box = nullptr;
    QRect rect;
};

// The pictures' bounding rectangle, `scale` times its size, filled with
// `ground`; each picture filled with its back colour and its display list
// painted at `scale` (text at `dpiX`, `dpiY` times `scale`). A null image
// when there is nothing to draw or the size is out of reach.
QImage renderPlacedPictures(const std::vector<PlacedPicture>& pictures, double scale, double dpiX,
                            double dpiY, forms::Color ground);

// The image as the bytes of a PNG file; nothing when it cannot be encoded.
std::optional<std::string> encodePng(const QImage& image);

}  // namespace qtview
