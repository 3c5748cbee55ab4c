#include "qt/qt_form_view.h"

#include "forms/control.h"
#include "forms/form.h"
#include "qt/form_window.h"

namespace qtview {

QtFormView::QtFormView(forms::Application& app, const QScreen* screen)
    : app_(app), metrics_(Metrics::of(screen)) {
    fillScreen(app_.screen(), screen);
    previousShown_ = std::move(app_.formShown);
    previousAdded_ = std::move(app_.controlAdded);
    previousDestroyed_ = std::move(app_.formDestroyed);
    app_.formShown = [this](forms::Form& f) {
        windowFor(f);
        if (previousShown_) previousShown_(f);
    };
    app_.controlAdded = [this](forms::Control& c) {
        auto it = windows_.find(&c.form());
        if (it != windows_.end()) it->second->addControl(c);
        if (previousAdded_) previousAdded_(c);
    };
    app_.formDestroyed = [this](forms::Form& f) {
        windows_.erase(&f);
        if (previousDestroyed_) previousDestroyed_(f);
    };
    for (forms::Form* f : app_.forms())
        if (f->visible()) windowFor(*f);
}

QtFormView::~QtFormView() {
    app_.formShown = std::move(previousShown_);
    app_.controlAdded = std::move(previousAdded_);
    app_.formDestroyed = std::move(previousDestroyed_);
    windows_.clear();
}

FormWindow& QtFormView::windowFor(forms::Form& form) {
    auto it = windows_.find(&form);
    if (it == windows_.end())
        it = windows_.emplace(&form, std::make_unique<FormWindow>(form, metrics_)).first;
    return *it->second;
}

QMainWindow* QtFormView::windowOf(forms::Form& form) {
    return windowFor(form).window();
}

QWidget* QtFormView::widgetOf(forms::Control& c) {
    return windowFor(c.form()).widgetOf(c);
}

QAction* QtFormView::actionOf(forms::Control& c) {
    return windowFor(c.form()).actionOf(c);
}

}  // namespace qtview
