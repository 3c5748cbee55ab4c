#include "qt/dir_tree_widget.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
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
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (!applying_ && index.isValid()) choose(model_->filePath(index));
            });
    // The tree fills in folder by folder: keep the shown folder in view.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (!shown_.isEmpty()) showPath(shown_);
    });
    // Not inside the model's own signal (finding the folder's index may add
    // rows): once, after the model's change is complete.
    const auto later = [this] {
        if (!following_ || scrollPending_) return;
        scrollPending_ = true;
        QMetaObject::invokeMethod(
            this, [this] { keepInView(); }, Qt::QueuedConnection);
    };
    connect(model_, &QAbstractItemModel::rowsInserted, this, later);
    connect(model_, &QAbstractItemModel::layoutChanged, this, later);
    // Only the user's own scrolling of the bar triggers slider actions.
    connect(tree_->verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this] { following_ = false; });
}

void DirTreeWidget::showPath(const QString& path) {
    applying_ = true;
    shown_ = path;
    if (edit_->text() != path) edit_->setText(path);
    following_ = true;
    const QModelIndex index = model_->index(path);
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->expand(index);
        tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    applying_ = false;
}

void DirTreeWidget::keepInView() {
    scrollPending_ = false;
    if (!following_ || shown_.isEmpty()) return;
    const QModelIndex index = model_->index(shown_);
    if (index.isValid()) tree_->scrollTo(index, QAbstractItemView::EnsureVisible);
}

void DirTreeWidget::choose(const QString& path) {
    if (pathChosen) pathChosen(QDir::cleanPath(path));
}

bool DirTreeWidget::eventFilter(QObject* watched, QEvent* event) {
    // The user works the tree (opens a folder, scrolls, moves with keys):
    // the view is theirs from now on.
    if ((watched == tree_ || watched == tree_->viewport()) &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Wheel ||
         event->type() == QEvent::KeyPress))
        following_ = false;
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
