#include "qt/dir_tree_widget.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace qtview {

DirTreeWidget::DirTreeWidget(QWidget* parent)
    : QWidget(parent),
      edit_(new QLineEdit(this)),
      tree_(new QTreeView(this)),
      model_(new QFileSystemModel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(edit_);
    layout->addWidget(tree_, 1);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QDir::rootPath());
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        tree_->hideColumn(column);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setUniformRowHeights(true);
    edit_->installEventFilter(this);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (!applying_ && index.isValid()) choose(model_->filePath(index));
            });
    // The tree fills in folder by folder: keep the shown folder in view.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (!shown_.isEmpty()) showPath(shown_);
    });
}

void DirTreeWidget::showPath(const QString& path) {
    applying_ = true;
    shown_ = path;
    if (edit_->text() != path) edit_->setText(path);
    const QModelIndex index = model_->index(path);
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->expand(index);
        tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    applying_ = false;
}

void DirTreeWidget::choose(const QString& path) {
    if (pathChosen) pathChosen(QDir::cleanPath(path));
}

bool DirTreeWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A typed path: taken when it is a folder, otherwise the box shows
            // the current folder again. Return here never presses the
            // dialog's default button.
            const QString typed = QDir::cleanPath(QDir::fromNativeSeparators(edit_->text().trimmed()));
            if (!typed.isEmpty() && QDir(typed).exists())
                choose(typed);
            else
                edit_->setText(shown_);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace qtview
