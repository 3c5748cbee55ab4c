// Menu items: a title without a container sits in the menu bar; an item
// whose container is another item sits in that item's menu. An item with
// items of its own is a QMenu; the others are plain actions.

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "forms/controls.h"
#include "qt/form_window.h"

namespace qtview {

namespace {
bool hasMenuChildren(const forms::Form& form, const forms::MenuItem& m) {
    for (const forms::Control* c : form.childrenOf(&m))
        if (c->kind() == forms::ControlKind::MenuItem) return true;
    return false;
}
}  // namespace

void FormWindow::createMenuItem(forms::MenuItem& m) {
    Item& item = items_[&m];
    QWidget* parent = nullptr;
    if (m.container() && m.container()->kind() == forms::ControlKind::MenuItem)
        parent = ensureMenu(static_cast<forms::MenuItem&>(*m.container()));
    else
        parent = window_->menuBar();
    if (hasMenuChildren(form_, m)) {
        auto* menu = new QMenu(parent);
        parent->addAction(menu->menuAction());
        item.menu = menu;
        item.action = menu->menuAction();
        forms::Control* ctl = &m;
        // Opening a menu clicks its title, so its handler can set the check
        // marks of the items before the user sees them.
        connect(menu, &QMenu::aboutToShow, this, [this, ctl] { postInput([ctl] { ctl->userClick(); }); });
    } else {
        auto* action = new QAction(parent);
        parent->addAction(action);
        item.action = action;
        connectMenuAction(m, action);
    }
    m.viewData = item.action.data();
}

QMenu* FormWindow::ensureMenu(forms::MenuItem& m) {
    if (!items_.count(&m)) addControl(m);
    Item& item = items_[&m];
    if (item.menu) return item.menu;
    // An item that was a plain action gets its first item: it becomes a menu
    // in the same place.
    QAction* old = item.action;
    QWidget* parent = old ? qobject_cast<QWidget*>(old->parent()) : nullptr;
    if (!parent) parent = window_->menuBar();
    auto* menu = new QMenu(parent);
    if (old) {
        parent->insertAction(old, menu->menuAction());
        parent->removeAction(old);
        delete old;
    } else {
        parent->addAction(menu->menuAction());
    }
    item.menu = menu;
    item.action = menu->menuAction();
    m.viewData = item.action.data();
    forms::Control* ctl = &m;
    connect(menu, &QMenu::aboutToShow, this, [this, ctl] { postInput([ctl] { ctl->userClick(); }); });
    for (forms::Property p : {forms::Property::Caption, forms::Property::Enabled, forms::Property::Visible,
                              forms::Property::ToolTip, forms::Property::Other})
        applyMenuItem(m, p);
    return menu;
}

void FormWindow::connectMenuAction(forms::MenuItem& m, QAction* action) {
    forms::MenuItem* item = &m;
    connect(action, &QAction::triggered, this, [this, item] {
        // Qt toggles a checkable action itself; the model's mark wins.
        postInput([item] { item->userClick(); }, [this, item] { apply(*item, forms::Property::Checked); });
    });
}

void FormWindow::applyMenuItem(forms::MenuItem& m, forms::Property p) {
    auto it = items_.find(&m);
    if (it == items_.end() || !it->second.action) return;
    QAction* a = it->second.action;
    QSignalBlocker block(a);
    switch (p) {
        case forms::Property::Caption:
            a->setSeparator(m.isSeparator());
            a->setText(toQString(m.caption()));
            break;
        case forms::Property::Visible:
            a->setVisible(m.visible());
            break;
        case forms::Property::Enabled:
            a->setEnabled(m.enabled());
            break;
        case forms::Property::Checked:
            a->setCheckable(m.checked());
            a->setChecked(m.checked());
            break;
        case forms::Property::ToolTip:
            a->setToolTip(toQString(m.toolTip()));
            break;
        case forms::Property::Other:
            // The item's key works while the window is active, menu closed.
            a->setShortcut(QKeySequence::fromString(toQString(m.shortcut()), QKeySequence::PortableText));
            a->setShortcutContext(Qt::WindowShortcut);
            break;
        default:
            break;
    }
}

}  // namespace qtview
