#include "forms/controls.h"

#include "forms/form.h"

namespace forms {

void Label::setCaption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    notify(Property::Caption);
    fire(Change);
}

void Label::setAlignment(int a) {
    alignment_ = a;
    notify(Property::Other);
}

void CommandButton::setCaption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    notify(Property::Caption);
}

void CommandButton::setValue(bool pressed) {
    // Pressing the button from the program runs its Click handler, even when
    // the button is disabled or hidden, as the original platform did.
    if (pressed) fire(Click);
}

void CommandButton::setDefault(bool d) {
    if (d) {
        for (auto& c : form().controls()) {
            if (c.get() == this || c->kind() != ControlKind::CommandButton) continue;
            auto& other = static_cast<CommandButton&>(*c);
            if (other.default_) {
                other.default_ = false;
                other.notify(Property::Other);
            }
        }
    }
    if (default_ == d) return;
    default_ = d;
    notify(Property::Other);
}

void CommandButton::setCancel(bool c) {
    if (c) {
        for (auto& other : form().controls()) {
            if (other.get() == this || other->kind() != ControlKind::CommandButton) continue;
            static_cast<CommandButton&>(*other).cancel_ = false;
        }
    }
    cancel_ = c;
}

void CommandButton::userClick() {
    if (!acceptsInput()) return;
    setFocus();
    fire(Click);
}

void CheckBox::setCaption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    notify(Property::Caption);
}

void CheckBox::setValue(int v) {
    if (v < 0 || v > 2 || v == value_) return;
    value_ = v;
    notify(Property::Value);
    fire(Click);
}

void CheckBox::userClick() {
    if (!acceptsInput()) return;
    setFocus();
    setValue(value_ == 1 ? 0 : 1);
}

void OptionButton::setCaption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    notify(Property::Caption);
}

void OptionButton::setValue(bool v) {
    if (v == value_) return;
    value_ = v;
    if (v) {
        for (Control* c : form().childrenOf(container())) {
            if (c == this || c->kind() != ControlKind::OptionButton) continue;
            auto* other = static_cast<OptionButton*>(c);
            if (other->value_) {
                other->value_ = false;
                other->notify(Property::Value);
            }
        }
    }
    notify(Property::Value);
    if (v) fire(Click);
}

void OptionButton::userClick() {
    if (!acceptsInput()) return;
    setFocus();
    setValue(true);
}

void TextBox::setText(const std::string& t) {
    if (text_ == t) return;
    text_ = t;
    notify(Property::Text);
    fire(Change);
}

void TextBox::setScrollBars(ScrollBars s) {
    if (scrollBars_ == s) return;
    scrollBars_ = s;
    notify(Property::Other);
}

void TextBox::userSetText(const std::string& t) {
    if (!acceptsInput() || locked_) return;
    setText(t);
}

void Frame::setCaption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    notify(Property::Caption);
}

void MenuItem::setCaption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    notify(Property::Caption);
}

void MenuItem::setShortcut(const std::string& s) {
    if (shortcut_ == s) return;
    shortcut_ = s;
    notify(Property::Other);
}

void MenuItem::setChecked(bool c) {
    if (checked_ == c) return;
    checked_ = c;
    notify(Property::Checked);
}

}  // namespace forms
