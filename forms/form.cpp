#include "forms/form.h"

#include "forms/application.h"
#include "forms/controls.h"

namespace forms {

Form::Form(Application& app, std::string name) : app_(app), name_(std::move(name)) {
    app_.registerForm(this);
}

Form::~Form() {
    if (app_.formDestroyed) app_.formDestroyed(*this);
    // Controls (timers among them) go before the form leaves the application.
    controls_.clear();
    app_.unregisterForm(this);
}

EventLoop& Form::loop() const {
    return app_.loop();
}

void Form::adopt(std::unique_ptr<Control> c) {
    Control& added = *c;
    byName_[{c->name(), c->index()}] = c.get();
    controls_.push_back(std::move(c));
    if (app_.controlAdded) app_.controlAdded(added);
}

Control* Form::find(const std::string& name, int index) const {
    auto it = byName_.find({name, index});
    return it == byName_.end() ? nullptr : it->second;
}

std::vector<Control*> Form::childrenOf(const Control* container) const {
    std::vector<Control*> out;
    for (auto& c : controls_)
        if (c->container() == container) out.push_back(c.get());
    return out;
}

void Form::setCaption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    notifyForm(Property::Caption);
}

void Form::move(Twips left, Twips top, Twips width, Twips height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    bool sized = width != width_ || height != height_;
    if (!sized && left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notifyForm(Property::Geometry);
    if (sized && loaded_ && Resize) Resize();
}

Twips Form::scaleWidth() const {
    return width_ > frameWidth ? width_ - frameWidth : 0;
}
Twips Form::scaleHeight() const {
    Twips chrome = frameHeight + menuHeight;
    return height_ > chrome ? height_ - chrome : 0;
}

void Form::setFont(const std::string& name, double size) {
    fontName_ = name;
    fontSize_ = size;
    notifyForm(Property::Font);
}

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    if (Load) Load();
}

void Form::show(bool modal) {
    load();
    if (app_.ended()) return;
    bool wasVisible = visible_;
    visible_ = true;
    modal_ = modal;
    if (!wasVisible) {
        if (app_.formShown) app_.formShown(*this);
        notifyForm(Property::Visible);
        if (Activate) Activate();
    }
    if (modal) {
        // A modal form holds its caller until it is hidden or unloaded.
        while (visible_ && !app_.ended())
            loop().waitEvents();
        modal_ = false;
    }
}

void Form::hide() {
    if (!visible_) return;
    visible_ = false;
    notifyForm(Property::Visible);
}

bool Form::unload() {
    if (!loaded_) return true;
    int cancel = 0;
    if (Unload) Unload(cancel);
    if (cancel != 0) return false;
    hide();
    loaded_ = false;
    active_ = nullptr;
    return true;
}

void Form::setActiveControl(Control* c) {
    active_ = c;
}

CommandButton* Form::defaultButton() const {
    for (auto& c : controls_)
        if (c->kind() == ControlKind::CommandButton && static_cast<CommandButton*>(c.get())->isDefault())
            return static_cast<CommandButton*>(c.get());
    return nullptr;
}

CommandButton* Form::cancelButton() const {
    for (auto& c : controls_)
        if (c->kind() == ControlKind::CommandButton && static_cast<CommandButton*>(c.get())->isCancel())
            return static_cast<CommandButton*>(c.get());
    return nullptr;
}

void Form::userReturn() {
    // A command button that has the focus answers Return itself; the
    // default button answers it otherwise.
    if (active_ != nullptr && active_->kind() == ControlKind::CommandButton && active_->acceptsInput()) {
        active_->userClick();
        return;
    }
    if (auto* b = defaultButton()) b->userClick();
}

void Form::userEscape() {
    if (auto* b = cancelButton()) b->userClick();
}

void Form::userClose() {
    unload();
}

void Form::notifyForm(Property p) {
    if (observer_) observer_(*this, p);
}

}  // namespace forms
