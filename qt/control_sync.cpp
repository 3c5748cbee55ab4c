// Model to widgets: every property change of the form or a control is
// applied to its widget with the widget's signals blocked, so the change
// does not come back as user input.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "forms/controls.h"
#include "forms/file_lists.h"
#include "forms/lists.h"
#include "qt/dir_tree_widget.h"
#include "qt/fonts.h"
#include "qt/form_window.h"
#include "qt/picture_widget.h"

namespace qtview {

using forms::ControlKind;
using forms::Property;

namespace {

// A label shows "&&" as "&" and hides the "&" before an access key.
QString withoutMnemonics(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

// The kinds whose model is a forms::ListControl.
bool isList(ControlKind kind) {
    switch (kind) {
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
        case ControlKind::DriveList:
        case ControlKind::DirList:
        case ControlKind::FileList:
            return true;
        default:
            return false;
    }
}

void setColor(QPalette& pal, QPalette::ColorRole role, const QColor& color, bool disabledToo) {
    pal.setColor(QPalette::Active, role, color);
    pal.setColor(QPalette::Inactive, role, color);
    if (disabledToo) pal.setColor(QPalette::Disabled, role, color);
}

// A disabled control's caption: half way between its text and its back
// colour, greyed as the platform greys it, yet readable on any face (the
// style's own disabled text is nearly the colour of a grey face).
QColor disabledText(const QColor& fore, const QColor& back) {
    return QColor((fore.red() + back.red()) / 2, (fore.green() + back.green()) / 2,
                  (fore.blue() + back.blue()) / 2);
}

void setTextColor(QPalette& pal, QPalette::ColorRole role, const QColor& fore, const QColor& back) {
    setColor(pal, role, fore, false);
    pal.setColor(QPalette::Disabled, role, disabledText(fore, back));
}

}  // namespace

void FormWindow::applyForm(Property p) {
    Applying applying(*this);
    switch (p) {
        case Property::Caption:
            window_->setWindowTitle(toQString(form_.caption()));
            break;
        case Property::Geometry:
            placeWindow();
            break;
        case Property::Colors: {
            QPalette pal = client_->palette();
            setColor(pal, QPalette::Window, toQColor(form_.backColor()), true);
            client_->setPalette(pal);
            break;
        }
        case Property::Font:
            client_->setFont(toQFont(form_.fontName(), form_.fontSize(), false));
            break;
        case Property::Visible:
            if (form_.visible()) {
                if (!window_->isVisible()) {
                    // Modality can change only while the window is hidden.
                    window_->setWindowModality(form_.modal() ? Qt::ApplicationModal : Qt::NonModal);
                    placeWindow();
                    window_->show();
                }
                window_->raise();
                window_->activateWindow();
            } else {
                window_->hide();
            }
            break;
        default:
            break;
    }
}

void FormWindow::placeWindow() {
    QPoint pos(metrics_.toPixelsX(form_.left()), metrics_.toPixelsY(form_.top()));
    QSize client = clientPixels();
    QSize size(client.width(), client.height() + menuBarHeight());
    if (window_->pos() != pos) window_->move(pos);
    if (window_->size() != size) window_->resize(size);
}

void FormWindow::apply(forms::Control& c, Property p) {
    auto it = items_.find(&c);
    if (it == items_.end()) return;
    Item& item = it->second;
    Applying applying(*this);
    if (c.kind() == ControlKind::MenuItem) {
        applyMenuItem(static_cast<forms::MenuItem&>(c), p);
        return;
    }
    QWidget* w = item.widget;
    if (!w) return;
    QSignalBlocker block(w);
    switch (p) {
        case Property::Visible:
            w->setVisible(c.visible());
            break;
        case Property::Enabled:
            w->setEnabled(c.enabled());
            break;
        case Property::Geometry:
            w->setGeometry(metrics_.toPixels(c.left(), c.top(), c.width(), c.height()));
            w->update();
            break;
        case Property::Caption:
        case Property::Text:
            applyText(c, w);
            break;
        case Property::Value:
            if (auto* box = qobject_cast<QCheckBox*>(w)) {
                int v = static_cast<forms::CheckBox&>(c).value();
                box->setTristate(v == 2);
                box->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
            } else if (c.kind() == ControlKind::OptionButton) {
                applyOptionGroup(c.container());
            }
            break;
        case Property::Colors:
            applyColors(c, w);
            w->update();
            break;
        case Property::Items:
            applyItems(item);
            applyListIndex(c, w);
            break;
        case Property::ListIndex:
            applyListIndex(c, w);
            break;
        case Property::Picture:
            if (auto* picture = dynamic_cast<PictureWidget*>(w))
                picture->scheduleRepaint();
            else
                w->update();
            break;
        case Property::Font:
            w->setFont(toQFont(c.fontName(), c.fontSize(), c.fontBold()));
            break;
        case Property::ToolTip:
            w->setToolTip(toQString(c.toolTip()));
            break;
        case Property::MousePointer:
            switch (c.mousePointer()) {
                case forms::MousePointer::Hourglass:
                    w->setCursor(Qt::WaitCursor);
                    break;
                case forms::MousePointer::Arrow:
                    w->setCursor(Qt::ArrowCursor);
                    break;
                case forms::MousePointer::SizeWE:
                    w->setCursor(Qt::SizeHorCursor);
                    break;
                default:
                    w->unsetCursor();
                    break;
            }
            break;
        case Property::Focus:
            if (c.hasFocus()) w->setFocus(Qt::OtherFocusReason);
            break;
        case Property::Checked:
            break;
        case Property::Other:
            if (auto* label = qobject_cast<QLabel*>(w)) {
                int a = static_cast<forms::Label&>(c).alignment();
                Qt::Alignment h = a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
                label->setAlignment(h | Qt::AlignTop);
            } else if (auto* list = qobject_cast<QListWidget*>(w)) {
                int top = static_cast<forms::ListControl&>(c).topIndex();
                if (QListWidgetItem* row = list->item(top))
                    list->scrollToItem(row, QAbstractItemView::PositionAtTop);
            } else if (auto* button = qobject_cast<QPushButton*>(w)) {
                button->setDefault(static_cast<forms::CommandButton&>(c).isDefault());
            } else if (c.kind() == ControlKind::TextBox) {
                applyText(c, w);
            }
            break;
    }
}

void FormWindow::applyAll(forms::Control& c) {
    if (c.kind() == ControlKind::MenuItem) {
        for (Property p : {Property::Caption, Property::Checked, Property::ToolTip, Property::Other,
                           Property::Enabled, Property::Visible})
            apply(c, p);
        return;
    }
    for (Property p : {Property::Geometry, Property::Font, Property::Colors, Property::Caption,
                       Property::Items, Property::Value, Property::ToolTip, Property::MousePointer,
                       Property::Other, Property::Enabled, Property::Visible})
        apply(c, p);
}

void FormWindow::applyText(forms::Control& c, QWidget* w) {
    switch (c.kind()) {
        case ControlKind::Label: {
            QString t = withoutMnemonics(toQString(static_cast<forms::Label&>(c).caption()));
            auto* label = static_cast<QLabel*>(w);
            if (label->text() != t) label->setText(t);
            break;
        }
        case ControlKind::CommandButton:
            static_cast<QAbstractButton*>(w)->setText(
                toQString(static_cast<forms::CommandButton&>(c).caption()));
            break;
        case ControlKind::CheckBox:
            static_cast<QAbstractButton*>(w)->setText(toQString(static_cast<forms::CheckBox&>(c).caption()));
            break;
        case ControlKind::OptionButton:
            static_cast<QAbstractButton*>(w)->setText(
                toQString(static_cast<forms::OptionButton&>(c).caption()));
            break;
        case ControlKind::Frame:
            static_cast<QGroupBox*>(w)->setTitle(toQString(static_cast<forms::Frame&>(c).caption()));
            break;
        case ControlKind::TextBox: {
            auto& box = static_cast<forms::TextBox&>(c);
            QString t = toQString(box.text());
            // Only a real difference is written: rewriting the same text
            // would move the user's cursor.
            if (auto* line = qobject_cast<QLineEdit*>(w)) {
                line->setReadOnly(box.locked());
                if (line->text() != t) line->setText(t);
            } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
                plain->setReadOnly(box.locked());
                using Bars = forms::TextBox::ScrollBars;
                const Bars bars = box.scrollBars();
                const bool across = bars == Bars::Horizontal || bars == Bars::Both;
                const bool down = bars == Bars::Vertical || bars == Bars::Both;
                plain->setLineWrapMode(across ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
                plain->setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
                plain->setVerticalScrollBarPolicy(down ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
                if (plain->toPlainText() != t) plain->setPlainText(t);
            }
            break;
        }
        case ControlKind::DriveList:
            applyListIndex(c, w);
            break;
        case ControlKind::DirList:
            static_cast<DirTreeWidget*>(w)->showPath(toQString(static_cast<forms::DirList&>(c).path()));
            break;
        default:
            break;
    }
}

void FormWindow::applyColors(forms::Control& c, QWidget* w) {
    QPalette pal = w->palette();
    const QColor back = toQColor(c.backColor());
    const QColor fore = toQColor(c.foreColor());
    switch (c.kind()) {
        case ControlKind::CommandButton:
            setColor(pal, QPalette::Button, back, true);
            setTextColor(pal, QPalette::ButtonText, fore, back);
            break;
        case ControlKind::TextBox:
        case ControlKind::ListBox:
        case ControlKind::DirList:
        case ControlKind::FileList:
            setColor(pal, QPalette::Base, back, false);
            setTextColor(pal, QPalette::Text, fore, back);
            break;
        case ControlKind::ComboBox:
        case ControlKind::DriveList:
            setColor(pal, QPalette::Base, back, false);
            setColor(pal, QPalette::Button, back, false);
            setTextColor(pal, QPalette::Text, fore, back);
            setTextColor(pal, QPalette::ButtonText, fore, back);
            break;
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            // Qt's buttons fill with the Button role, and their text uses
            // either role depending on the style.
            setColor(pal, QPalette::Button, back, true);
            setTextColor(pal, QPalette::ButtonText, fore, back);
            setColor(pal, QPalette::Window, back, true);
            setTextColor(pal, QPalette::WindowText, fore, back);
            w->setAutoFillBackground(true);
            break;
        default:  // labels, frames and pictures fill their own back colour
            setColor(pal, QPalette::Window, back, true);
            setTextColor(pal, QPalette::WindowText, fore, back);
            w->setAutoFillBackground(true);
            break;
    }
    w->setPalette(pal);
}

void FormWindow::applyItems(Item& item) {
    if (!isList(item.control->kind())) return;
    const auto& model = static_cast<forms::ListControl&>(*item.control).items();
    auto& shown = item.shownItems;
    QWidget* w = item.widget;
    auto* list = qobject_cast<QListWidget*>(w);
    auto* combo = qobject_cast<QComboBox*>(w);
    if (!list && !combo) return;
    const bool grows = shown.size() <= model.size() && std::equal(shown.begin(), shown.end(), model.begin());
    if (grows) {
        // The usual change: AddItem appends one entry.
        for (size_t i = shown.size(); i < model.size(); ++i) {
            if (list) list->addItem(QString::fromStdString(model[i]));
            if (combo) combo->addItem(QString::fromStdString(model[i]));
        }
    } else if (shown.size() == model.size()) {
        for (size_t i = 0; i < model.size(); ++i) {
            if (shown[i] == model[i]) continue;
            int row = static_cast<int>(i);
            if (list) list->item(row)->setText(QString::fromStdString(model[i]));
            if (combo) combo->setItemText(row, QString::fromStdString(model[i]));
        }
    } else {
        if (list) list->clear();
        if (combo) combo->clear();
        for (const auto& text : model) {
            if (list) list->addItem(QString::fromStdString(text));
            if (combo) combo->addItem(QString::fromStdString(text));
        }
    }
    shown = model;
}

void FormWindow::applyListIndex(forms::Control& c, QWidget* w) {
    if (!isList(c.kind())) return;
    auto& lc = static_cast<forms::ListControl&>(c);
    int index = lc.listIndex();
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (index < 0 || index >= list->count()) {
            list->setCurrentRow(-1);
            list->clearSelection();
        } else {
            list->setCurrentRow(index);
            list->scrollToItem(list->item(index));
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        // A drive list with nothing picked still shows its drive.
        if (index < 0 && c.kind() == ControlKind::DriveList)
            index = combo->findText(QString::fromStdString(static_cast<forms::DriveList&>(c).drive()));
        if (index >= combo->count()) index = -1;
        combo->setCurrentIndex(index);
    }
}

void FormWindow::applyOptionGroup(const forms::Control* container) {
    auto it = optionGroups_.find(container);
    if (it == optionGroups_.end()) return;
    Applying applying(*this);
    QButtonGroup* group = it->second;
    // An exclusive group refuses to clear its checked button; the model may
    // leave every button of a group off.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) {
        auto found = byObject_.find(b);
        if (found == byObject_.end()) continue;
        QSignalBlocker block(b);
        b->setChecked(static_cast<forms::OptionButton*>(found->second)->value());
    }
    group->setExclusive(true);
}

}  // namespace qtview
