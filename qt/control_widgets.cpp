// Creating the widget of each kind of control, and connecting the user's
// input on it back to the model.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "forms/controls.h"
#include "forms/file_lists.h"
#include "forms/lists.h"
#include "forms/picture.h"
#include "qt/dir_tree_widget.h"
#include "qt/form_window.h"
#include "qt/picture_widget.h"

namespace qtview {

using forms::ControlKind;

QWidget* FormWindow::containerWidget(const forms::Control& c) const {
    if (c.container()) {
        auto it = items_.find(c.container());
        if (it != items_.end() && it->second.widget) return it->second.widget.data();
    }
    return client_;
}

QWidget* FormWindow::createWidget(forms::Control& c, QWidget* parent) {
    switch (c.kind()) {
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setMouseTracking(true);
            return label;
        }
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(parent);
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(parent);
        case ControlKind::OptionButton: {
            auto* radio = new QRadioButton(parent);
            // One exclusive group per container; the model decides which
            // button is on, the group only keeps Qt from showing two.
            QButtonGroup*& group = optionGroups_[c.container()];
            if (!group) group = new QButtonGroup(this);
            group->addButton(radio);
            return radio;
        }
        case ControlKind::TextBox:
            if (static_cast<forms::TextBox&>(c).multiLine()) return new QPlainTextEdit(parent);
            return new QLineEdit(parent);
        case ControlKind::DirList:
            return new DirTreeWidget(parent);
        case ControlKind::ListBox:
        case ControlKind::FileList: {
            auto* list = new QListWidget(parent);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            return list;
        }
        case ControlKind::ComboBox:
        case ControlKind::DriveList:
            return new QComboBox(parent);
        case ControlKind::PictureBox: {
            auto* picture = new PictureWidget(static_cast<forms::PictureBox&>(c), parent);
            picture->setMouseTracking(true);
            return picture;
        }
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(parent);
            frame->setMouseTracking(true);
            return frame;
        }
        case ControlKind::MenuItem:
        case ControlKind::Timer:
            return nullptr;
    }
    return nullptr;
}

void FormWindow::connectInput(forms::Control& c, QWidget* w) {
    forms::Control* ctl = &c;
    switch (c.kind()) {
        case ControlKind::CommandButton:
            connect(static_cast<QPushButton*>(w), &QAbstractButton::clicked, this,
                    [this, ctl] { postInput([ctl] { ctl->userClick(); }); });
            break;
        case ControlKind::CheckBox:
            // Qt has already toggled its box; the model toggles its value,
            // and the box is set back to the model's state either way.
            connect(static_cast<QCheckBox*>(w), &QAbstractButton::clicked, this, [this, ctl] {
                postInput([ctl] { ctl->userClick(); }, [this, ctl] { apply(*ctl, forms::Property::Value); });
            });
            break;
        case ControlKind::OptionButton:
            connect(static_cast<QRadioButton*>(w), &QAbstractButton::clicked, this, [this, ctl] {
                postInput([ctl] { ctl->userClick(); }, [this, ctl] { applyOptionGroup(ctl->container()); });
            });
            break;
        case ControlKind::TextBox: {
            // The posted call reads the widget's text when it runs: keys
            // typed before it runs arrive as one change, never half undone.
            auto sendText = [this, ctl] {
                postInput(
                    [this, ctl] {
                        auto& box = static_cast<forms::TextBox&>(*ctl);
                        QWidget* widget = widgetOf(box);
                        if (auto* line = qobject_cast<QLineEdit*>(widget))
                            box.userSetText(toStdString(line->text()));
                        else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
                            box.userSetText(toStdString(plain->toPlainText(), true));
                    },
                    [this, ctl] { apply(*ctl, forms::Property::Text); });
            };
            if (auto* line = qobject_cast<QLineEdit*>(w))
                connect(line, &QLineEdit::textEdited, this, sendText);
            if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
                connect(plain, &QPlainTextEdit::textChanged, this, sendText);
            break;
        }
        case ControlKind::DirList:
            static_cast<DirTreeWidget*>(w)->pathChosen = [this, ctl](const QString& path) {
                postInput([ctl, path] { static_cast<forms::DirList&>(*ctl).userSetPath(toStdString(path)); },
                          [this, ctl] { apply(*ctl, forms::Property::Text); });
            };
            break;
        case ControlKind::ListBox:
        case ControlKind::FileList: {
            auto* list = static_cast<QListWidget*>(w);
            connect(list, &QListWidget::currentRowChanged, this, [this, ctl](int row) {
                postInput([ctl, row] { static_cast<forms::ListControl&>(*ctl).userSelect(row); },
                          [this, ctl] { apply(*ctl, forms::Property::ListIndex); });
            });
            connect(list, &QListWidget::itemDoubleClicked, this,
                    [this, ctl] { postInput([ctl] { ctl->userDblClick(); }); });
            break;
        }
        case ControlKind::ComboBox:
        case ControlKind::DriveList:
            connect(static_cast<QComboBox*>(w), &QComboBox::activated, this, [this, ctl](int index) {
                postInput([ctl, index] { static_cast<forms::ListControl&>(*ctl).userSelect(index); },
                          [this, ctl] { apply(*ctl, forms::Property::ListIndex); });
            });
            break;
        default:
            break;
    }
}

}  // namespace qtview
