#include "qt/picture_widget.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "forms/picture.h"
#include "qt/metrics.h"
#include "qt/picture_painter.h"

namespace qtview {

namespace {
constexpr int kBorder = 2;  // the sunken 3-D border of a picture box
}

PictureWidget::PictureWidget(const forms::PictureBox& box, QWidget* parent) : QWidget(parent), box_(&box) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (const QScreen* s = screen(); s && s->refreshRate() > 1)
        frameMs_ = std::clamp(static_cast<int>(std::ceil(1000.0 / s->refreshRate())), 4, 100);
    frameTimer_.setSingleShot(true);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&frameTimer_, &QTimer::timeout, this, [this] { update(); });
}

void PictureWidget::scheduleRepaint() {
    if (pending_) return;  // a repaint is on its way and will show this change
    pending_ = true;
    const qint64 since = sincePaint_.isValid() ? sincePaint_.elapsed() : frameMs_;
    if (since >= frameMs_)
        update();
    else
        frameTimer_.start(static_cast<int>(frameMs_ - since));
}

QRect PictureWidget::drawingArea() const {
    if (box_ && box_->borderStyle != 0) return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    return rect();
}

void PictureWidget::paintEvent(QPaintEvent*) {
    pending_ = false;
    sincePaint_.restart();
    ++paints_;
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
