#pragma once
// The widget of a picture box: paints the box's display list inside its
// border and holds the controls placed on the box as child widgets.

#include <QRect>
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

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const forms::PictureBox* box_;
};

}  // namespace qtview
