#include "forms/picture.h"

namespace forms {

PictureBox::PictureBox(Form& f, std::string name, int index, Control* container)
    : Control(f, ControlKind::PictureBox, std::move(name), index, container) {
    resetScale();
    list_.push_back({DrawCommand::Clear, 0, 0, 0, 0, backColor(), 1, {}});
}

void PictureBox::scale(double x1, double y1, double x2, double y2) {
    scale_ = {x1, y1, x2 - x1, y2 - y1};
    userScaleSet_ = true;
    notify(Property::Picture);
}

void PictureBox::resetScale() {
    scale_ = {0, 0, static_cast<double>(width()), static_cast<double>(height())};
    userScaleSet_ = false;
    notify(Property::Picture);
}

void PictureBox::sizeChanged() {
    // In twips the scale follows the size; a user scale keeps its units.
    if (!userScaleSet_) scale_ = {0, 0, static_cast<double>(width()), static_cast<double>(height())};
}

void PictureBox::cls() {
    list_.clear();
    list_.push_back({DrawCommand::Clear, 0, 0, 0, 0, backColor(), 1, {}});
    currentX = scale_.left;
    currentY = scale_.top;
    notify(Property::Picture);
}

void PictureBox::add(DrawCommand c) {
    c.drawWidth = drawWidth_;
    list_.push_back(std::move(c));
    notify(Property::Picture);
}

void PictureBox::pset(double x, double y, Color color) {
    add({DrawCommand::Point, x, y, x, y, color, 1, {}});
    currentX = x;
    currentY = y;
}

void PictureBox::line(double x1, double y1, double x2, double y2, Color color) {
    add({DrawCommand::Line, x1, y1, x2, y2, color, 1, {}});
    currentX = x2;
    currentY = y2;
}

void PictureBox::box(double x1, double y1, double x2, double y2, Color color, bool filled) {
    add({filled ? DrawCommand::FilledBox : DrawCommand::Box, x1, y1, x2, y2, color, 1, {}});
    currentX = x2;
    currentY = y2;
}

void PictureBox::print(const std::string& text, Color color) {
    add({DrawCommand::Text, currentX, currentY, currentX, currentY, color, 1, text});
    // One text line down, in scale units (a line is about 1.2 font heights).
    double lineTwips = fontSize() * 20.0 * 1.2;
    double perTwip = height() > 0 ? scale_.height / height() : 0;
    currentX = scale_.left;
    currentY += lineTwips * perTwip;
}

double PictureBox::toTwipsX(double x) const {
    if (scale_.width == 0) return 0;
    return (x - scale_.left) / scale_.width * width();
}

double PictureBox::toTwipsY(double y) const {
    if (scale_.height == 0) return 0;
    return (y - scale_.top) / scale_.height * height();
}

}  // namespace forms
