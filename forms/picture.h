#pragma once
// A picture box: a container that the program draws on in its own user
// scale (left, top, width, height). Drawing keeps a display list of
// clear/point/line/text commands in scale units; the Qt view paints that
// list and tests inspect it.

#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

struct DrawCommand {
    enum Kind { Clear, Point, Line, Box, FilledBox, Text };
    Kind kind = Clear;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // scale units; Point and Text use x1, y1
    Color color = 0;
    int drawWidth = 1;
    std::string text;
};

struct UserScale {
    double left = 0, top = 0, width = 0, height = 0;
};

class PictureBox : public Control {
  public:
    PictureBox(Form& f, std::string name, int index, Control* container);

    // Scale(x1, y1)-(x2, y2): the left edge is x1, the top y1, the right x2,
    // the bottom y2 (a graph whose y grows upwards has y1 > y2).
    void scale(double x1, double y1, double x2, double y2);
    // Back to twips with the origin at the top left.
    void resetScale();
    const UserScale& userScale() const { return scale_; }
    double scaleLeft() const { return scale_.left; }
    double scaleTop() const { return scale_.top; }
    double scaleWidth() const { return scale_.width; }
    double scaleHeight() const { return scale_.height; }

    // Cls: clears the display list down to one Clear in the back colour.
    void cls();
    void pset(double x, double y, Color color);
    void line(double x1, double y1, double x2, double y2, Color color);
    void box(double x1, double y1, double x2, double y2, Color color, bool filled);
    // Print at (currentX, currentY); advances currentY by one text line.
    void print(const std::string& text, Color color);
    double currentX = 0, currentY = 0;
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int w) { drawWidth_ = w < 1 ? 1 : w; }
    bool autoRedraw = true;
    int borderStyle = 1;

    const std::vector<DrawCommand>& displayList() const { return list_; }

    // A point in scale units to twips within the box.
    double toTwipsX(double x) const;
    double toTwipsY(double y) const;

  protected:
    void sizeChanged() override;

  private:
    void add(DrawCommand c);
    UserScale scale_;
    bool userScaleSet_ = false;
    int drawWidth_ = 1;
    std::vector<DrawCommand> list_;
};

}  // namespace forms
