#include "qt/picture_widget.h"

#include <qdrawutil.h>
#include <QPainter>

#include "forms/picture.h"
#include "qt/metrics.h"
#include "qt/picture_painter.h"

namespace qtview {

namespace {
constexpr int kBorder = 2;  // the sunken 3-D border of a picture box
}

PictureWidget::PictureWidget(const forms::PictureBox& box, QWidget* parent) : QWidget(parent), box_(&box) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect PictureWidget::drawingArea() const {
    if (box_ && box_->borderStyle != 0) return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    return rect();
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!box_) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.fillRect(rect(), toQColor(box_->backColor()));
    if (box_->borderStyle != 0) qDrawWinPanel(&painter, rect(), palette(), true);
    paintDisplayList(painter, *box_, drawingArea());
}

}  // namespace qtview
