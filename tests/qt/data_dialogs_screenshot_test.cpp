// The save and load dialogs drawn offscreen with their folder trees; and
// the folder tree worked as a user works it: a folder picked in the tree, a
// path typed into its box. (Their pictures, dialog_data_save_<en|ja>.png and
// dialog_data_load_<en|ja>.png, come from the caption check of
// qt_program_tests.)

#include <unistd.h>
#include <QFileSystemModel>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QTreeView>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/data_file.h"
#include "files/frm_data_load.h"
#include "files/frm_data_save.h"
#include "qt/dir_tree_widget.h"
#include "qt_fixture.h"
#include "tests/files/data_file_fixture.h"
#include "window/frm_main.h"

namespace {

namespace fs = std::filesystem;
using morva::FrmDataLoad;
using morva::FrmDataSave;

struct DataDialogScreenshots : QtFormsTest {
    fs::path folder = fs::temp_directory_path() / ("morva-dialogs-" + std::to_string(::getpid()));
    std::unique_ptr<morva::FrmMain> w = std::make_unique<morva::FrmMain>(app);

    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder / "Archive 2025");
        fs::create_directories(folder / "Line B");
        morva::test::FillSampleResult(*w);
        w->move(0, 0, 15360, 11520);
        w->st.ProgramFolder = folder.string() + "/";
        w->st.settings.Path_DataFile = folder.string() + "/";
        w->st.datafile.WallClock = [] { return morva::LocalDateTime{2026, 3, 7, 9, 5, 3}; };
        for (const char* serial : {"SN1234", "SN1235", "SN1240"}) {
            w->lbl_MsrInfo(0).setCaption(serial);
            w->st.DataFileName = std::string(serial) + "(PAL SP).Morva_210";
            morva::Write_DataFile(*w);
        }
        std::ofstream(folder / "VX-880 head 2.Morva_880") << "MachineType = VTR\r\n";
        w->lbl_MsrInfo(0).setCaption("SN1241");
    }
    void TearDown() override {
        w.reset();
        fs::remove_all(folder);
    }

    qtview::DirTreeWidget* treeOf(forms::DirList& list) {
        return dynamic_cast<qtview::DirTreeWidget*>(view->widgetOf(list));
    }

    // Lets the tree fill in and draws the window.
    void draw(forms::Form& form, forms::DirList& list) {
        QMainWindow* window = view->windowOf(form);
        ASSERT_NE(window, nullptr);
        auto* tree = treeOf(list);
        ASSERT_NE(tree, nullptr);
        // The tree reads the folders on a thread: wait until the shown
        // folder is selected and in view.
        const QString path = tree->pathBox()->text();
        // Rows that the model adds and sorts above it while it reads the
        // folders must not push the shown folder out of view.
        EXPECT_TRUE(waitUntil(
            [&] {
                const QModelIndex current = tree->tree()->currentIndex();
                return current.isValid() && tree->model()->filePath(current) == path &&
                       tree->tree()->viewport()->rect().intersects(tree->tree()->visualRect(current));
            },
            5000))
            << path.toStdString() << " is not in view";
        settle();
        const QImage shot = window->grab().toImage();
        EXPECT_GT(shot.width(), 400);
    }
};

TEST_F(DataDialogScreenshots, SaveDialogAndItsFolderTree) {
    FrmDataSave dialog(*w);
    dialog.show();
    settle();
    dialog.Txt_Save(2).setText("SN1241");
    draw(dialog, dialog.Dir_Save);

    // A path typed into the tree's box and confirmed with Return moves the
    // folder list and the file list; Return there does not press Save.
    auto* tree = treeOf(dialog.Dir_Save);
    ASSERT_NE(tree, nullptr);
    const QString archive = QString::fromStdString((folder / "Archive 2025").string());
    tree->pathBox()->setFocus();
    tree->pathBox()->setText(archive);
    QTest::keyClick(tree->pathBox(), Qt::Key_Return);
    settle();
    EXPECT_EQ(dialog.Dir_Save.path(), archive.toStdString());
    EXPECT_EQ(dialog.FileList_Save.path(), archive.toStdString());
    EXPECT_EQ(dialog.Lbl_Save(0).caption(), archive.toStdString());
    EXPECT_FALSE(fs::exists(folder / "Archive 2025" / "SN1241.Morva_210"));

    // A path that is no folder is not taken; the box shows the folder again.
    tree->pathBox()->setText(QStringLiteral("/no/such/folder"));
    QTest::keyClick(tree->pathBox(), Qt::Key_Return);
    settle();
    EXPECT_EQ(dialog.Dir_Save.path(), archive.toStdString());
    EXPECT_EQ(tree->pathBox()->text(), archive);

    // A folder picked in the tree.
    const QModelIndex lineB = tree->model()->index(QString::fromStdString((folder / "Line B").string()));
    ASSERT_TRUE(lineB.isValid());
    tree->tree()->setCurrentIndex(lineB);
    settle();
    EXPECT_EQ(dialog.Dir_Save.path(), (folder / "Line B").string());
    dialog.unload();
}

TEST_F(DataDialogScreenshots, LoadDialogWithTheFileInformation) {
    FrmDataLoad dialog(*w);
    dialog.show();
    settle();
    ASSERT_EQ(dialog.flst_Load.listCount(), 3);
    dialog.flst_Load.setListIndex(1);
    EXPECT_EQ(dialog.lbl_FileInfo(5).caption(), "SN1235");
    draw(dialog, dialog.dir_Load);
    dialog.unload();
}

}  // namespace
