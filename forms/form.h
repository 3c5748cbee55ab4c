#pragma once
// A form: a window with controls. It owns its controls, finds them by name
// and index (one control array per name), and has its own caption,
// geometry, font, focus, default and cancel buttons, and lifecycle: Load
// runs on the first show, Unload may be cancelled by its handler.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "forms/control.h"
#include "forms/types.h"

namespace forms {

class Application;
class CommandButton;

class Form {
  public:
    Form(Application& app, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Application& app() const { return app_; }
    EventLoop& loop() const;
    const std::string& name() const { return name_; }

    // Creates a control of type T owned by this form. index -1: not in an array.
    template <typename T>
    T& add(const std::string& name, int index = -1, Control* container = nullptr) {
        auto c = std::make_unique<T>(*this, name, index, container);
        T& ref = *c;
        adopt(std::move(c));
        return ref;
    }
    // The control of that name and index, or nullptr.
    Control* find(const std::string& name, int index = -1) const;
    template <typename T>
    T* findAs(const std::string& name, int index = -1) const {
        return dynamic_cast<T*>(find(name, index));
    }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    std::vector<Control*> childrenOf(const Control* container) const;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);

    Twips left() const { return left_; }
    Twips top() const { return top_; }
    Twips width() const { return width_; }
    Twips height() const { return height_; }
    void move(Twips left, Twips top, Twips width, Twips height);
    void setWidth(Twips w) { move(left_, top_, w, height_); }
    void setHeight(Twips h) { move(left_, top_, width_, h); }
    void setLeft(Twips l) { move(l, top_, width_, height_); }
    void setTop(Twips t) { move(left_, t, width_, height_); }
    // The client area (the window less its frame, title bar and menu bar).
    Twips scaleWidth() const;
    Twips scaleHeight() const;
    Twips frameWidth = 120;   // left + right border
    Twips frameHeight = 690;  // title bar + bottom border
    Twips menuHeight = 0;     // set when the form has a menu bar

    Color backColor() const { return backColor_; }
    void setBackColor(Color c) {
        backColor_ = c;
        notifyForm(Property::Colors);
    }
    const std::string& fontName() const { return fontName_; }
    double fontSize() const { return fontSize_; }
    void setFont(const std::string& name, double size);

    // Lifecycle.
    void load();  // fires Load once
    bool loaded() const { return loaded_; }
    // Shows the form; a modal show returns when the form is hidden or unloaded.
    void show(bool modal = false);
    void hide();
    // Fires Unload (its handler may set cancel); when not cancelled the form
    // is hidden and unloaded. Returns false when cancelled.
    bool unload();
    bool visible() const { return visible_; }
    bool modal() const { return modal_; }

    // Focus.
    Control* activeControl() const { return active_; }
    void setActiveControl(Control* c);  // used by Control::setFocus
    CommandButton* defaultButton() const;
    CommandButton* cancelButton() const;
    // The user presses Return / Escape on the form. Return clicks the
    // command button that has the focus, or else the default button; Escape
    // clicks the cancel button; a button clicks only when it accepts input.
    void userReturn();
    void userEscape();
    // The user closes the window (title-bar close).
    void userClose();

    std::function<void()> Load;
    std::function<void(int& cancel)> Unload;
    std::function<void()> Resize;
    std::function<void()> Activate;

    using Observer = std::function<void(Form&, Property)>;
    void setObserver(Observer o) { observer_ = std::move(o); }
    void* viewData = nullptr;

  private:
    void adopt(std::unique_ptr<Control> c);
    void notifyForm(Property p);

    Application& app_;
    std::string name_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<std::string, int>, Control*> byName_;
    std::string caption_;
    Twips left_ = 0, top_ = 0, width_ = 9600, height_ = 7200;
    Color backColor_ = kButtonFace;
    std::string fontName_ = "MS UI Gothic";
    double fontSize_ = 9;
    bool loaded_ = false;
    bool visible_ = false;
    bool modal_ = false;
    Control* active_ = nullptr;
    Observer observer_;
};

}  // namespace forms
