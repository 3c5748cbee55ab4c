#pragma once
// Labels, buttons, check boxes, option buttons, text boxes, frames and menu
// items: the controls whose value is a caption, a text or a small number.

#include <string>

#include "forms/control.h"

namespace forms {

// A caption that changes fires Change.
class Label : public Control {
  public:
    Label(Form& f, std::string name, int index, Control* container)
        : Control(f, ControlKind::Label, std::move(name), index, container) {}
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    int alignment() const { return alignment_; }  // 0 left, 1 right, 2 centre
    void setAlignment(int a);
    bool canTakeFocus() const override { return false; }

    std::function<void()> Change;

  private:
    std::string caption_;
    int alignment_ = 0;
};

// Setting the value to true fires Click (the value itself stays false, as a
// button has no lasting state); a user click does the same.
class CommandButton : public Control {
  public:
    CommandButton(Form& f, std::string name, int index, Control* container)
        : Control(f, ControlKind::CommandButton, std::move(name), index, container) {}
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    void setValue(bool pressed);
    bool isDefault() const { return default_; }
    // A form has one default and one cancel button: giving a button the
    // role takes it from every other button of the form.
    void setDefault(bool d);
    bool isCancel() const { return cancel_; }
    void setCancel(bool c);
    void userClick() override;

  private:
    std::string caption_;
    bool default_ = false;
    bool cancel_ = false;
};

// Value 0 unchecked, 1 checked, 2 greyed. Setting a different value fires
// Click; setting the same value fires nothing. A user click toggles 0/1.
class CheckBox : public Control {
  public:
    CheckBox(Form& f, std::string name, int index, Control* container)
        : Control(f, ControlKind::CheckBox, std::move(name), index, container) {}
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    int value() const { return value_; }
    void setValue(int v);
    void userClick() override;

  private:
    std::string caption_;
    int value_ = 0;
};

// Option buttons sharing a container form one group. Setting the value to
// true clears the others of the group and fires Click, when it was false;
// setting false just clears it.
class OptionButton : public Control {
  public:
    OptionButton(Form& f, std::string name, int index, Control* container)
        : Control(f, ControlKind::OptionButton, std::move(name), index, container) {}
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool value() const { return value_; }
    void setValue(bool v);
    void userClick() override;

  private:
    std::string caption_;
    bool value_ = false;
};

// A text that changes fires Change (from the program or the user).
class TextBox : public Control {
  public:
    TextBox(Form& f, std::string name, int index, Control* container)
        : Control(f, ControlKind::TextBox, std::move(name), index, container) {
        setBackColor(kWhite);
    }
    const std::string& text() const { return text_; }
    void setText(const std::string& t);
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool m) { multiLine_ = m; }
    bool locked() const { return locked_; }
    void setLocked(bool l) { locked_ = l; }
    // The scroll bars of a multi-line box. Without a horizontal bar long
    // lines wrap at the box's width; without a vertical bar the box keeps
    // its whole width for the text (a box sized to its lines needs none).
    enum class ScrollBars { None, Horizontal, Vertical, Both };
    ScrollBars scrollBars() const { return scrollBars_; }
    void setScrollBars(ScrollBars s);
    // The user types: the whole text becomes t (Change fires on a change).
    void userSetText(const std::string& t);

    std::function<void()> Change;

  private:
    std::string text_;
    bool multiLine_ = false;
    bool locked_ = false;
    ScrollBars scrollBars_ = ScrollBars::Vertical;
};

// A container with a caption (a group box).
class Frame : public Control {
  public:
    Frame(Form& f, std::string name, int index, Control* container)
        : Control(f, ControlKind::Frame, std::move(name), index, container) {}
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool canTakeFocus() const override { return false; }

  private:
    std::string caption_;
};

// A menu item; its container is the menu it belongs to (none for a title
// in the menu bar). Click fires from the user's choice.
class MenuItem : public Control {
  public:
    MenuItem(Form& f, std::string name, int index, Control* parentMenu)
        : Control(f, ControlKind::MenuItem, std::move(name), index, parentMenu) {}
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool checked() const { return checked_; }
    void setChecked(bool c);
    bool canTakeFocus() const override { return false; }
    bool isSeparator() const { return caption_ == "-"; }
    // The key that chooses the item without opening its menu, written as
    // "Ctrl+S" or "F2" (empty: none). A disabled item does not answer it.
    const std::string& shortcut() const { return shortcut_; }
    void setShortcut(const std::string& s);

  private:
    std::string caption_;
    bool checked_ = false;
    std::string shortcut_;
};

}  // namespace forms
