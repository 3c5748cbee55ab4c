#include "qt/form_window.h"

#include <QAction>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include "forms/controls.h"
#include "qt/picture_widget.h"

namespace qtview {

FormWindow::FormWindow(forms::Form& form, const Metrics& metrics) : form_(form), metrics_(metrics) {
    window_ = new QMainWindow;
    windowObject_ = window_.data();
    client_ = new QWidget;
    client_->setAutoFillBackground(true);
    window_->setCentralWidget(client_);
    window_->installEventFilter(this);
    form_.viewData = window_.data();

    Applying applying(*this);
    for (const auto& c : form_.controls())
        addControl(*c);
    form_.setObserver([this](forms::Form&, forms::Property p) { applyForm(p); });
    for (forms::Property p : {forms::Property::Caption, forms::Property::Font, forms::Property::Colors,
                              forms::Property::Geometry, forms::Property::Visible})
        applyForm(p);
}

FormWindow::~FormWindow() {
    form_.setObserver(nullptr);
    form_.viewData = nullptr;
    for (auto& [key, item] : items_) {
        item.control->setObserver(nullptr);
        item.control->viewData = nullptr;
        if (QWidget* w = item.widget.data()) {
            // Whatever the widgets report while they are torn down is not input.
            w->removeEventFilter(this);
            w->disconnect(this);
            if (auto* picture = dynamic_cast<PictureWidget*>(w)) picture->detach();
        }
        if (QAction* a = item.action.data()) a->disconnect(this);
        if (QMenu* m = item.menu.data()) m->disconnect(this);
    }
    byObject_.clear();
    if (QMainWindow* w = window_.data()) {
        w->removeEventFilter(this);
        window_.clear();
        // Input is posted, never handled inside a widget's own signal, so
        // the window can go at once.
        delete w;
    }
}

QMainWindow* FormWindow::window() const {
    return window_.data();
}

QWidget* FormWindow::widgetOf(const forms::Control& c) const {
    auto it = items_.find(&c);
    return it == items_.end() ? nullptr : it->second.widget.data();
}

QAction* FormWindow::actionOf(const forms::Control& c) const {
    auto it = items_.find(&c);
    return it == items_.end() ? nullptr : it->second.action.data();
}

QMenu* FormWindow::menuOf(const forms::Control& c) const {
    auto it = items_.find(&c);
    return it == items_.end() ? nullptr : it->second.menu.data();
}

void FormWindow::addControl(forms::Control& c) {
    if (items_.count(&c)) return;
    Applying applying(*this);
    Item& item = items_[&c];
    item.control = &c;
    if (c.kind() == forms::ControlKind::MenuItem) {
        createMenuItem(static_cast<forms::MenuItem&>(c));
    } else if (QWidget* w = createWidget(c, containerWidget(c))) {
        item.widget = w;
        byObject_[w] = &c;
        c.viewData = w;
        w->installEventFilter(this);
        connectInput(c, w);
    }
    c.setObserver([this](forms::Control& changed, forms::Property p) { apply(changed, p); });
    applyAll(c);
}

int FormWindow::menuBarHeight() const {
    auto* bar = qobject_cast<QMenuBar*>(window_->menuWidget());
    if (!bar || bar->actions().isEmpty()) return 0;
    int h = bar->heightForWidth(clientPixels().width());
    return h > 0 ? h : bar->sizeHint().height();
}

QSize FormWindow::clientPixels() const {
    return QSize(metrics_.toPixelsX(form_.scaleWidth()), metrics_.toPixelsY(form_.scaleHeight()));
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowObject_) return windowEvent(event);
    auto it = byObject_.find(watched);
    if (it == byObject_.end()) return false;
    forms::Control& c = *it->second;
    auto* w = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(&c, watched, static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn: {
            if (applying_ > 0) return false;
            Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Focus the user moved; a window that is activated again keeps
            // the focus the model already has.
            if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
                postInput([&c] { c.userFocus(); });
            return false;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            switch (c.kind()) {
                case forms::ControlKind::Label:
                case forms::ControlKind::PictureBox:
                case forms::ControlKind::Frame:
                    return mouseEvent(c, w, static_cast<QMouseEvent*>(event));
                default:
                    return false;
            }
        default:
            return false;
    }
}

}  // namespace qtview
