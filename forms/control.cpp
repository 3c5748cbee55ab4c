#include "forms/control.h"

#include "forms/application.h"
#include "forms/form.h"

namespace forms {

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::CommandButton:
            return "CommandButton";
        case ControlKind::CheckBox:
            return "CheckBox";
        case ControlKind::OptionButton:
            return "OptionButton";
        case ControlKind::TextBox:
            return "TextBox";
        case ControlKind::ListBox:
            return "ListBox";
        case ControlKind::ComboBox:
            return "ComboBox";
        case ControlKind::PictureBox:
            return "PictureBox";
        case ControlKind::Frame:
            return "Frame";
        case ControlKind::MenuItem:
            return "MenuItem";
        case ControlKind::Timer:
            return "Timer";
        case ControlKind::DriveList:
            return "DriveList";
        case ControlKind::DirList:
            return "DirList";
        case ControlKind::FileList:
            return "FileList";
    }
    return "Control";
}

Control::Control(Form& form, ControlKind kind, std::string name, int index, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {
    fontName_ = form.fontName();
    fontSize_ = form.fontSize();
}

std::string Control::displayName() const {
    if (index_ < 0) return name_;
    return name_ + "(" + std::to_string(index_) + ")";
}

EventLoop& Control::loop() const {
    return form_.loop();
}

void Control::setVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    if (!v && hasFocus()) form_.setActiveControl(nullptr);
    notify(Property::Visible);
}

void Control::setEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    enabledChanged();
    notify(Property::Enabled);
}

bool Control::effectivelyVisible() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->visible_) return false;
    return true;
}

bool Control::effectivelyEnabled() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->enabled_) return false;
    return true;
}

void Control::move(Twips left, Twips top, Twips width, Twips height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    bool sized = width != width_ || height != height_;
    bool moved = left != left_ || top != top_;
    if (!sized && !moved) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (sized) sizeChanged();
    notify(Property::Geometry);
    if (sized) fire(Resize);
}

void Control::setBackColor(Color c) {
    if (backColor_ == c) return;
    backColor_ = c;
    notify(Property::Colors);
}

void Control::setForeColor(Color c) {
    if (foreColor_ == c) return;
    foreColor_ = c;
    notify(Property::Colors);
}

void Control::setFont(const std::string& name, double size) {
    fontName_ = name;
    fontSize_ = size;
    notify(Property::Font);
}

void Control::setFontBold(bool bold) {
    fontBold_ = bold;
    notify(Property::Font);
}

void Control::setToolTip(const std::string& t) {
    toolTip_ = t;
    notify(Property::ToolTip);
}

void Control::setMousePointer(MousePointer p) {
    mousePointer_ = p;
    notify(Property::MousePointer);
}

bool Control::canTakeFocus() const {
    return true;
}

bool Control::setFocus() {
    if (!canTakeFocus() || !effectivelyVisible() || !effectivelyEnabled()) return false;
    Control* old = form_.activeControl();
    if (old == this) return true;
    form_.setActiveControl(this);
    if (old) fire(old->LostFocus);
    fire(GotFocus);
    notify(Property::Focus);
    return true;
}

bool Control::hasFocus() const {
    return form_.activeControl() == this;
}

void Control::userClick() {
    if (acceptsInput()) fire(Click);
}

void Control::userDblClick() {
    if (acceptsInput()) fire(DblClick);
}

void Control::userKeyDown(int keyCode, int shift) {
    if (acceptsInput() && KeyDown) KeyDown(keyCode, shift);
}

void Control::userMouseDown(const MouseEvent& e) {
    if (acceptsInput() && MouseDown) MouseDown(e);
}

void Control::userMouseMove(const MouseEvent& e) {
    if (acceptsInput() && MouseMove) MouseMove(e);
}

void Control::userMouseUp(const MouseEvent& e) {
    if (acceptsInput() && MouseUp) MouseUp(e);
}

void Control::userFocus() {
    if (acceptsInput()) setFocus();
}

void Control::notify(Property p) {
    if (observer_) observer_(*this, p);
}

}  // namespace forms
