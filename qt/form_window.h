#pragma once
// One form on screen: a top-level QMainWindow whose central widget holds a
// widget for every control (a menu bar when the form has menu items). The
// form and its controls are the truth. The window follows them through
// their observers, with the widgets' signals blocked while a change is
// applied, so no model event fires twice. What the user does in Qt goes
// back to the model as user...() calls posted to the loop, which run when
// the program's loop dispatches, as every other event does.

#include <QObject>
#include <QPointer>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "forms/control.h"
#include "forms/event_loop.h"
#include "forms/form.h"
#include "qt/metrics.h"

class QAction;
class QButtonGroup;
class QEvent;
class QKeyEvent;
class QMainWindow;
class QMenu;
class QMouseEvent;
class QWidget;

namespace forms {
class MenuItem;
}

namespace qtview {

class FormWindow : public QObject {
  public:
    FormWindow(forms::Form& form, const Metrics& metrics);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    forms::Form& form() const { return form_; }
    QMainWindow* window() const;
    // The client area: the parent of the controls that sit on the form.
    QWidget* client() const { return client_; }
    // The widget of a control; nullptr for timers and menu items.
    QWidget* widgetOf(const forms::Control& c) const;
    // The action of a menu item (the menu's own action for a menu title).
    QAction* actionOf(const forms::Control& c) const;
    QMenu* menuOf(const forms::Control& c) const;

    // Mirrors a control added to the form after the window was built.
    void addControl(forms::Control& c);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Item {
        forms::Control* control = nullptr;
        QPointer<QWidget> widget;
        QPointer<QAction> action;
        QPointer<QMenu> menu;
        std::vector<std::string> shownItems;  // list entries as last shown
    };
    // Counts nested model-to-widget updates; widget events that arrive
    // meanwhile are echoes of the model, not user input.
    struct Applying {
        explicit Applying(FormWindow& w) : w_(w) { ++w_.applying_; }
        ~Applying() { --w_.applying_; }
        FormWindow& w_;
    };

    // Building (control_widgets.cpp, menus.cpp).
    QWidget* createWidget(forms::Control& c, QWidget* parent);
    void connectInput(forms::Control& c, QWidget* w);
    QWidget* containerWidget(const forms::Control& c) const;
    void createMenuItem(forms::MenuItem& m);
    QMenu* ensureMenu(forms::MenuItem& m);
    void connectMenuAction(forms::MenuItem& m, QAction* action);

    // Model to widgets (control_sync.cpp).
    void applyForm(forms::Property p);
    void placeWindow();
    void apply(forms::Control& c, forms::Property p);
    void applyAll(forms::Control& c);
    void applyMenuItem(forms::MenuItem& m, forms::Property p);
    void applyColors(forms::Control& c, QWidget* w);
    void applyItems(Item& item);
    void applyListIndex(forms::Control& c, QWidget* w);
    void applyText(forms::Control& c, QWidget* w);
    void applyOptionGroup(const forms::Control* container);

    // Widgets to the model (input_events.cpp).
    // Runs `fn` when the loop dispatches, unless the form (and with it this
    // window) is gone by then.
    template <typename Fn>
    void postInput(Fn fn) {
        QPointer<FormWindow> self(this);
        form_.loop().post([self, fn = std::move(fn)]() mutable {
            if (self) fn();
        });
    }
    // The same, then `resync` to show the model's state again; the handler
    // that `fn` ran may have destroyed the form, and with it this window.
    template <typename Fn, typename Then>
    void postInput(Fn fn, Then resync) {
        QPointer<FormWindow> self(this);
        form_.loop().post([self, fn = std::move(fn), resync = std::move(resync)]() mutable {
            if (!self) return;
            fn();
            if (self) resync();
        });
    }
    bool keyPress(forms::Control* c, QObject* watched, QKeyEvent* e);
    bool mouseEvent(forms::Control& c, QWidget* w, QMouseEvent* e);
    bool windowEvent(QEvent* e);
    forms::MouseEvent toMouseEvent(const forms::Control& c, QWidget* w, const QMouseEvent* e,
                                   int button) const;
    int menuBarHeight() const;
    QSize clientPixels() const;

    forms::Form& form_;
    Metrics metrics_;
    QPointer<QMainWindow> window_;
    const QObject* windowObject_ = nullptr;  // for comparisons, safe while the window is torn down
    QWidget* client_ = nullptr;
    std::unordered_map<const forms::Control*, Item> items_;
    std::unordered_map<const QObject*, forms::Control*> byObject_;
    std::map<const forms::Control*, QButtonGroup*> optionGroups_;  // by container (nullptr: the form)
    int applying_ = 0;
    bool clickAfterDoubleClick_ = false;  // the release that ends a double click is no Click
};

}  // namespace qtview
