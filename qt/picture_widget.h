#pragma once
// The widget of a picture box: paints the box's display list inside its
// border and holds the controls placed on the box as child widgets.

#include <QElapsedTimer>
#include <QRect>
#include <QTimer>
#include <QWidget>

namespace forms {
class PictureBox;
}

namespace qtview {

class PictureWidget : public QWidget {
  public:
    PictureWidget(const forms::PictureBox& box, QWidget* parent);

    // The area the scale maps onto: inside the sunken border when the box
    // has one.
    QRect drawingArea() const;
    // The box is going away: paint nothing from now on.
    void detach() { box_ = nullptr; }

    // The display list changed: repaint, at most once per display frame. A
    // measurement loop that draws a pass hundreds of times a second is
    // painted at the screen's rate; the last pass is always painted.
    void scheduleRepaint();
    int paintCount() const { return paints_; }
    int frameMs() const { return frameMs_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const forms::PictureBox* box_;
    QElapsedTimer sincePaint_;
    QTimer frameTimer_;
    bool pending_ = false;
    int paints_ = 0;
    int frameMs_ = 16;
};

}  // namespace qtview
