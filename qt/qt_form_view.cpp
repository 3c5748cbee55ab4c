#include "qt/qt_form_view.h"

#include <QWidget>

#include "forms/control.h"
#include "forms/form.h"
#include "forms/picture.h"
#include "qt/form_window.h"
#include "qt/picture_export.h"

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
    app_.renderPicturesPng = [this](const std::vector<const forms::PictureBox*>& pictures, double scale) {
        return picturesPng(pictures, scale);
    };
    for (forms::Form* f : app_.forms())
        if (f->visible()) windowFor(*f);
}

QtFormView::~QtFormView() {
    app_.formShown = std::move(previousShown_);
    app_.controlAdded = std::move(previousAdded_);
    app_.formDestroyed = std::move(previousDestroyed_);
    app_.renderPicturesPng = nullptr;
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

namespace qtview {

std::optional<std::string> QtFormView::picturesPng(const std::vector<const forms::PictureBox*>& pictures,
                                                   double scale) const {
    std::vector<PlacedPicture> placed;
    forms::Color ground = 0xFFFFFF;
    for (const forms::PictureBox* box : pictures) {
        if (box == nullptr) continue;
        if (placed.empty() && box->container() != nullptr) ground = box->container()->backColor();
        PlacedPicture p{box, metrics_.toPixels(box->left(), box->top(), box->width(), box->height())};
        auto it = windows_.find(&box->form());
        if (const QWidget* widget = it == windows_.end() ? nullptr : it->second->widgetOf(*box))
            p.rect = QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
        placed.push_back(p);
    }
    return encodePng(renderPlacedPictures(placed, scale, metrics_.dpiX, metrics_.dpiY, ground));
}

}  // namespace qtview
