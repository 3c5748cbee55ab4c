#pragma once
// The folder list drawn as a real folder tree with a path box above it: the
// user opens folders in the tree or types a path and presses Return. The
// model's path is the truth; the widget shows it and reports the user's
// choice through `pathChosen`.

#include <QString>
#include <QWidget>
#include <functional>

class QFileSystemModel;
class QLineEdit;
class QTreeView;

namespace qtview {

class DirTreeWidget : public QWidget {
  public:
    explicit DirTreeWidget(QWidget* parent);

    // Shows `path` in the box and selects it in the tree, reporting nothing.
    void showPath(const QString& path);
    // The user chose a folder (in the tree, or typed and confirmed with Return).
    std::function<void(const QString&)> pathChosen;

    QLineEdit* pathBox() const { return edit_; }
    QTreeView* tree() const { return tree_; }
    QFileSystemModel* model() const { return model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void choose(const QString& path);
    // Scrolls the shown folder back into view while the tree is still
    // filling in (rows inserted and sorted above it move it away), until
    // the user works the tree.
    void keepInView();

    QLineEdit* edit_;
    QTreeView* tree_;
    QFileSystemModel* model_;
    QString shown_;
    bool applying_ = false;
    bool following_ = false;
    bool scrollPending_ = false;
};

}  // namespace qtview
