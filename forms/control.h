#pragma once
// The base of every control: name and index within its control array,
// container, own visible/enabled flags, geometry in twips, colours, font,
// tool tip, mouse pointer and the events every kind shares.
//
// Property setters fire their events synchronously, as the original desktop
// platform did; user input arrives through the user...() calls, which the
// loop dispatches (tests schedule them, the Qt view posts them).

#include <functional>
#include <string>
#include <vector>

#include "forms/types.h"

namespace forms {

class Form;
class EventLoop;

enum class ControlKind {
    Label,
    CommandButton,
    CheckBox,
    OptionButton,
    TextBox,
    ListBox,
    ComboBox,
    PictureBox,
    Frame,
    MenuItem,
    Timer,
    DriveList,
    DirList,
    FileList
};

const char* kindName(ControlKind kind);

struct MouseEvent {
    int button = 0;  // mouse::Left ...
    int shift = 0;
    double x = 0;  // in the control's scale (twips unless a picture's user scale)
    double y = 0;
};

class Control {
  public:
    Control(Form& form, ControlKind kind, std::string name, int index, Control* container);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 when the control is not in an array
    std::string displayName() const;      // "lbl_Info(1)" or "Text3"
    Form& form() const { return form_; }
    EventLoop& loop() const;
    Control* container() const { return container_; }

    // Own flags, not the effective ones (a hidden container hides its
    // children without changing their flags).
    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    bool effectivelyVisible() const;
    bool effectivelyEnabled() const;

    Twips left() const { return left_; }
    Twips top() const { return top_; }
    Twips width() const { return width_; }
    Twips height() const { return height_; }
    void setLeft(Twips v) { move(v, top_, width_, height_); }
    void setTop(Twips v) { move(left_, v, width_, height_); }
    void setWidth(Twips v) { move(left_, top_, v, height_); }
    void setHeight(Twips v) { move(left_, top_, width_, v); }
    void move(Twips left, Twips top, Twips width, Twips height);

    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);

    const std::string& fontName() const { return fontName_; }
    double fontSize() const { return fontSize_; }
    bool fontBold() const { return fontBold_; }
    void setFont(const std::string& name, double size);
    void setFontBold(bool bold);

    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(const std::string& t);
    MousePointer mousePointer() const { return mousePointer_; }
    void setMousePointer(MousePointer p);
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int i) { tabIndex_ = i; }

    // Focus: the program's SetFocus fires LostFocus on the control that had
    // it and GotFocus here, synchronously. A hidden or disabled control
    // cannot take the focus: false, nothing changes.
    bool setFocus();
    bool hasFocus() const;
    virtual bool canTakeFocus() const;

    // Events shared by every kind. A handler left empty does nothing.
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void(int keyCode, int shift)> KeyDown;
    std::function<void(const MouseEvent&)> MouseDown;
    std::function<void(const MouseEvent&)> MouseMove;
    std::function<void(const MouseEvent&)> MouseUp;
    std::function<void()> Resize;

    // User input, run when the loop dispatches it. Ignored when the control
    // is not effectively visible and enabled, as a real window ignores it.
    virtual void userClick();
    void userDblClick();
    void userKeyDown(int keyCode, int shift = 0);
    void userMouseDown(const MouseEvent& e);
    void userMouseMove(const MouseEvent& e);
    void userMouseUp(const MouseEvent& e);
    void userFocus();
    bool acceptsInput() const { return effectivelyVisible() && effectivelyEnabled(); }

    // A view mirroring this control is told of every property change.
    using Observer = std::function<void(Control&, Property)>;
    void setObserver(Observer o) { observer_ = std::move(o); }
    // Arbitrary data a view keeps with the control (its widget).
    void* viewData = nullptr;

  protected:
    void notify(Property p);
    static void fire(const std::function<void()>& handler) {
        if (handler) handler();
    }
    virtual void sizeChanged() {}
    virtual void enabledChanged() {}

  private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
    Control* container_;
    bool visible_ = true;
    bool enabled_ = true;
    Twips left_ = 0, top_ = 0, width_ = 1200, height_ = 375;
    Color backColor_ = kButtonFace;
    Color foreColor_ = kWindowText;
    std::string fontName_ = "MS UI Gothic";
    double fontSize_ = 9;
    bool fontBold_ = false;
    std::string toolTip_;
    MousePointer mousePointer_ = MousePointer::Default;
    int tabIndex_ = 0;
    Observer observer_;
};

}  // namespace forms
