// Widgets to the model: keys, mouse on pictures, labels and frames, and the
// window's own close, resize and move. Everything is posted to the loop.

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QResizeEvent>
#include <cmath>

#include "forms/controls.h"
#include "forms/picture.h"
#include "qt/form_window.h"
#include "qt/key_codes.h"
#include "qt/picture_painter.h"
#include "qt/picture_widget.h"

namespace qtview {

using forms::ControlKind;

bool FormWindow::keyPress(forms::Control* c, QObject* watched, QKeyEvent* e) {
    if (c) {
        // A key that a child ignored travels up through its containers;
        // only the control that has the focus gets it.
        if (!static_cast<QWidget*>(watched)->hasFocus()) return false;
    } else {
        // On the window itself: only when no control has the focus.
        if (byObject_.count(QApplication::focusWidget())) return false;
    }
    const int code = formsKeyCode(e->key(), e->modifiers());
    const int shift = formsShift(e->modifiers());
    auto keyDown = [this, c, code, shift] {
        if (c && code != 0) postInput([c, code, shift] { c->userKeyDown(code, shift); });
    };
    if (code == forms::key::Return) {
        if (c && c->kind() == ControlKind::TextBox && static_cast<forms::TextBox*>(c)->multiLine()) {
            keyDown();  // a multi-line box takes Return as a new line
            return false;
        }
        if (c && c->kind() == ControlKind::CommandButton) {
            // The focused button answers Return, as the default would.
            postInput([c] { c->userClick(); });
            return true;
        }
        if (forms::CommandButton* b = form_.defaultButton(); b && b->acceptsInput()) {
            postInput([this] { form_.userReturn(); });
            return true;
        }
        keyDown();
        return false;
    }
    if (code == forms::key::Escape) {
        if (forms::CommandButton* b = form_.cancelButton(); b && b->acceptsInput()) {
            postInput([this] { form_.userEscape(); });
            return true;
        }
        keyDown();
        return false;
    }
    keyDown();
    return false;
}

forms::MouseEvent FormWindow::toMouseEvent(const forms::Control& c, QWidget* w, const QMouseEvent* e,
                                           int button) const {
    forms::MouseEvent m;
    m.button = button;
    m.shift = formsShift(e->modifiers());
    const QPointF pos = e->position();
    if (c.kind() == ControlKind::PictureBox) {
        const QRect area = static_cast<PictureWidget*>(w)->drawingArea();
        const QPointF s = fromPixels(static_cast<const forms::PictureBox&>(c).userScale(),
                                     QSizeF(area.size()), pos - QPointF(area.topLeft()));
        m.x = s.x();
        m.y = s.y();
    } else {
        m.x = metrics_.toTwipsX(pos.x());
        m.y = metrics_.toTwipsY(pos.y());
    }
    return m;
}

bool FormWindow::mouseEvent(forms::Control& c, QWidget* w, QMouseEvent* e) {
    // A press that a child (an option button beside its hit area) passed
    // up is not the container's own.
    if (w->childAt(e->position().toPoint())) {
        e->accept();
        return true;
    }
    forms::Control* ctl = &c;
    switch (e->type()) {
        case QEvent::MouseButtonPress: {
            clickAfterDoubleClick_ = false;
            forms::MouseEvent m = toMouseEvent(c, w, e, formsButton(e->button()));
            postInput([ctl, m] { ctl->userMouseDown(m); });
            break;
        }
        case QEvent::MouseButtonDblClick:
            // The second press of a double click is the DblClick.
            clickAfterDoubleClick_ = true;
            postInput([ctl] { ctl->userDblClick(); });
            break;
        case QEvent::MouseButtonRelease: {
            forms::MouseEvent m = toMouseEvent(c, w, e, formsButton(e->button()));
            postInput([ctl, m] { ctl->userMouseUp(m); });
            // Released over the control where it was pressed: a Click.
            if (e->button() == Qt::LeftButton && w->rect().contains(e->position().toPoint()) &&
                !clickAfterDoubleClick_)
                postInput([ctl] { ctl->userClick(); });
            clickAfterDoubleClick_ = false;
            break;
        }
        case QEvent::MouseMove: {
            forms::MouseEvent m = toMouseEvent(c, w, e, formsButtons(e->buttons()));
            postInput([ctl, m] { ctl->userMouseMove(m); });
            break;
        }
        default:
            return false;
    }
    // Taken here: a press on a label must not reach the picture under it.
    e->accept();
    return true;
}

bool FormWindow::windowEvent(QEvent* e) {
    switch (e->type()) {
        case QEvent::Close:
            // The program is ending: windows close as Qt asks.
            if (form_.loop().quitting()) return false;
            // The model decides: its Unload handler may refuse, and an
            // unloaded form hides its window through the observer.
            e->ignore();
            postInput([this] { form_.userClose(); });
            return true;
        case QEvent::KeyPress:
            return keyPress(nullptr, window_, static_cast<QKeyEvent*>(e));
        case QEvent::Resize: {
            if (applying_ > 0 || !e->spontaneous()) return false;
            const QSize size = static_cast<QResizeEvent*>(e)->size();
            const int w = size.width();
            const int h = std::max(0, size.height() - menuBarHeight());
            if (QSize(w, h) == clientPixels()) return false;
            postInput([this, w, h] {
                auto width = static_cast<forms::Twips>(std::lround(metrics_.toTwipsX(w))) + form_.frameWidth;
                auto height = static_cast<forms::Twips>(std::lround(metrics_.toTwipsY(h))) +
                              form_.frameHeight + form_.menuHeight;
                form_.move(form_.left(), form_.top(), width, height);
            });
            return false;
        }
        case QEvent::Move: {
            if (applying_ > 0 || !e->spontaneous()) return false;
            const QPoint pos = window_->pos();
            if (pos == QPoint(metrics_.toPixelsX(form_.left()), metrics_.toPixelsY(form_.top())))
                return false;
            postInput([this, pos] {
                form_.move(static_cast<forms::Twips>(std::lround(metrics_.toTwipsX(pos.x()))),
                           static_cast<forms::Twips>(std::lround(metrics_.toTwipsY(pos.y()))), form_.width(),
                           form_.height());
            });
            return false;
        }
        default:
            return false;
    }
}

}  // namespace qtview
