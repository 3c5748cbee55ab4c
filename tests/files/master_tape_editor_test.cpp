// The master-tape editor on the operator's roads: open and accept, keyboard
// entry of a new tape, deletion, the current tape and its correction, and
// files that are missing, hostile, cut short or cannot be written.

#include <sys/fsuid.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include "tests/files/master_tape_editor_fixture.h"

namespace morva::test {
namespace {

using forms::MsgResult;

const std::vector<std::string> kSheet = {"0.0",  "0.2",  "0.4",  "0.5",  "0.4",  "0.3",  "0.1",
                                         "-0.1", "-0.3", "-0.4", "-0.4", "-0.3", "-0.2", "0.0",
                                         "0.1",  "0.3",  "0.4",  "0.3",  "0.2",  "0.1",  "0.0"};  // sum 1.6

TEST_F(MasterTapeEditorTest, TheDemoFileOpenedAndAcceptedIsByteIdenticalAndTheChosenTapeBecomesCurrent) {
    useDemoFile();
    loadTapeList(1);
    const std::string before = tapeFile();
    {
        FrmMasterTape ed(*w);
        ed.show();
        EXPECT_EQ(ed.lst_MasterTape.listCount(), 3);
        EXPECT_EQ(ed.lst_MasterTape.listIndex(), 1);  // the main window's tape
        EXPECT_EQ(ed.lbl_MasterTape_nEntry.caption(), "3");
        EXPECT_EQ(ed.cmb_MasterTape_Sort.items(),
                  (std::vector<std::string>{"Date Descend", "Date Ascend", "Name Ascend", "Name Descend",
                                            "Original"}));
        EXPECT_EQ(ed.cmb_MasterTape_Type.items(),
                  (std::vector<std::string>{"SD Master 20um", "Data Master 14um", "Odd Master"}));

        // The view sorted by name: its first line is MT-DATA-0009, the file order stays.
        ed.cmb_MasterTape_Sort.userSelect(2);
        ed.lst_MasterTape.userSelect(0);
        EXPECT_EQ(
            ed.lst_MasterTape.text().rfind("MT-DATA-0009   \t2024-05-27   [ 14]\t11pnts  (  0.4)\t0.0,", 0),
            0u);
        ed.cmd_MasterTape(0).userClick();
        EXPECT_FALSE(ed.visible());
    }
    EXPECT_EQ(tapeFile(), before);
    EXPECT_EQ(w->cmb_MasterTapeList.items(),
              (std::vector<std::string>{"MT-SD-0117", "MT-HD-0342", "MT-DATA-0009"}));
    EXPECT_EQ(w->cmb_MasterTapeList.listIndex(), 2);
    EXPECT_EQ(w->st.settings.StartupTape, "MT-DATA-0009");
    EXPECT_EQ(w->lbl_Info(4).caption(), "MT-DATA-0009");
    EXPECT_EQ(w->st.lin.CorWF, correctionOf("MT-DATA-0009"));
    EXPECT_NE(w->st.lin.CorWF, CorWFPoints{});
}

TEST_F(MasterTapeEditorTest, AKeyboardEntryOfA21PointTapeIsCheckedBySumAndWrittenThroughTheToolMenuRoad) {
    useDemoFile();
    loadTapeList(1);
    FrmMasterTape* ed = nullptr;
    std::vector<std::function<void()>> steps;
    const auto step = [&](std::function<void()> f) { steps.push_back(std::move(f)); };
    const auto typeInto = [](forms::TextBox& box, const std::string& text) {
        box.userSetText(text);
        box.userKeyDown(forms::key::Return);
    };
    step([&] {
        ed = openEditor();
        ASSERT_NE(ed, nullptr);
        ed->today = [] { return std::string("2026-12-08"); };
        ed->cmd_MasterTape(2).userClick();
    });
    step([&] {
        EXPECT_TRUE(ed->pic_MasterTapeEntry.visible());
        EXPECT_EQ(ed->lbl_Message_MasterEntry.caption(), " Select Master Tape Type ");
        EXPECT_TRUE(ed->cmb_MasterTape_Type.hasFocus());
        // The inputs wait for a type.
        ed->txt_MasterTape(0).userSetText("too early");
        EXPECT_EQ(ed->txt_MasterTape(0).text(), "");
        ed->cmb_MasterTape_Type.userSelect(0);
        EXPECT_EQ(ed->lbl_MasterType(0).caption(), "21 pnts");
        EXPECT_EQ(ed->lbl_MasterType(1).caption(), "[20]");
        EXPECT_EQ(ed->lbl_Message_MasterEntry.caption(), " Input Name / ID  ==> Hit Enter Key ");
    });
    step([&] {
        typeInto(ed->txt_MasterTape(0), "MT-HD-0342");  // taken already
        EXPECT_EQ(dialogs.shown().back().prompt, "Name / ID [MT-HD-0342] already exists.");
        EXPECT_TRUE(ed->txt_MasterTape(0).hasFocus());
        typeInto(ed->txt_MasterTape(0), "MT-NEW-01");
        EXPECT_TRUE(ed->txt_MasterTape(1).hasFocus());
        EXPECT_EQ(ed->lbl_Message_MasterEntry.caption(), " Input Check Sum  ==> Hit Enter Key ");
        typeInto(ed->txt_MasterTape(1), "1.7");  // misread from the sheet
        EXPECT_TRUE(ed->txt_MasterTape_Data.hasFocus());
        EXPECT_EQ(ed->lbl_Message_MasterEntry.caption(), " Input Data  ==> Hit Enter Key ");
    });
    step([&] {
        for (size_t i = 0; i < kSheet.size(); ++i) {
            EXPECT_EQ(ed->lbl_MasterTape_DataNo.caption(), std::to_string(i + 1));
            // The last point goes in with the arrow key, the others with Enter.
            ed->txt_MasterTape_Data.userSetText(kSheet[i]);
            ed->txt_MasterTape_Data.userKeyDown(i + 1 == kSheet.size() ? forms::key::Down
                                                                       : forms::key::Return);
        }
        EXPECT_EQ(ed->lst_MasterTape_Data(0).list(3), "[ 4]   0.5");
        EXPECT_EQ(ed->lst_MasterTape_Data(0).list(7), "[ 8]  -0.1");
        EXPECT_EQ(ed->lbl_MasterChk(1).caption(), "1.6");
        EXPECT_EQ(ed->lbl_MasterChk(0).backColor(), 0x0080FF80u);
        EXPECT_EQ(ed->lbl_MasterChk(1).backColor(), 0x008080FFu);
        EXPECT_EQ(ed->lbl_Message_MasterEntry.caption(), " Check Sum NG   Please Check Master Tape Data ");
        EXPECT_FALSE(ed->cmd_MasterTape(5).enabled());
        // A 22nd point is not taken.
        typeInto(ed->txt_MasterTape_Data, "9.9");
        EXPECT_EQ(ed->lst_MasterTape_Data(1).listCount(), 21);
    });
    step([&] {
        // Back to the check sum with the arrow key, corrected.
        ed->txt_MasterTape_Data.userKeyDown(forms::key::Up);
        EXPECT_TRUE(ed->txt_MasterTape(1).hasFocus());
        typeInto(ed->txt_MasterTape(1), "1.6");
        EXPECT_EQ(ed->lbl_MasterChk(1).backColor(), 0x0080FF80u);
        EXPECT_EQ(ed->lbl_Message_MasterEntry.caption(), " Data OK   Hit Enter Key  ==> Entry Completed ");
        EXPECT_TRUE(ed->cmd_MasterTape(5).enabled());
        EXPECT_TRUE(ed->cmd_MasterTape(5).hasFocus());
    });
    step([&] {
        // A picked point comes back for editing and is replaced in place;
        // Enter walks on to the next stored point without zeroing it.
        ed->lst_MasterTape_Data(0).userSelect(3);
        EXPECT_EQ(ed->txt_MasterTape_Data.text(), "0.5");
        EXPECT_EQ(ed->lbl_MasterTape_DataNo.caption(), "4");
        typeInto(ed->txt_MasterTape_Data, "0.6");
        EXPECT_EQ(ed->lst_MasterTape_Data(0).list(3), "[ 4]   0.6");
        EXPECT_EQ(ed->txt_MasterTape_Data.text(), "0.4");  // point 5, for editing
        EXPECT_FALSE(ed->cmd_MasterTape(5).enabled());
        ed->txt_MasterTape_Data.userKeyDown(forms::key::Return);
        EXPECT_EQ(ed->lst_MasterTape_Data(1).list(4), "0.4");
        ed->lst_MasterTape_Data(0).userSelect(3);
        typeInto(ed->txt_MasterTape_Data, "0.5");
        EXPECT_TRUE(ed->cmd_MasterTape(5).enabled());
        ed->cmd_MasterTape(5).userClick();
    });
    step([&] {
        EXPECT_FALSE(ed->pic_MasterTapeEntry.visible());
        EXPECT_EQ(ed->chk_MasterTapeEdit.value(), 1);
        EXPECT_EQ(ed->lbl_MasterTape_nEntry.caption(), "4");
        EXPECT_EQ(ed->lst_MasterTape.listIndex(), 3);
        ed->cmd_MasterTape(0).userClick();
    });
    for (size_t i = 0; i < steps.size(); ++i)
        loop.at(100 * static_cast<int64_t>(i + 1), steps[i], "step " + std::to_string(i));

    w->proc.Show_MasterTapeEditor();  // returns when the editor closes

    EXPECT_EQ(openEditor(), nullptr);
    const std::vector<std::string> lines = readLines("MORVA MasterTape.dat");
    ASSERT_EQ(lines.size(), 2u + 4 * 7);
    EXPECT_EQ(lines[1], "nEntry = 4 ");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 23, lines.end()),
              (std::vector<std::string>{
                  "", "Tape003_Name = MT-NEW-01", "  EntryDate = 2026-12-08", "  TrackPitch = 20",
                  "  nPoint = 21", "  CheckSum = 1.6",
                  "  Data = 0.0,0.2,0.4,0.5,0.4,0.3,0.1,-0.1,-0.3,-0.4,-0.4,-0.3,-0.2,0.0,0.1,"
                  "0.3,0.4,0.3,0.2,0.1,0.0"}));
    // The list was changed: the main window's tape stays current.
    EXPECT_EQ(w->cmb_MasterTapeList.listCount(), 4);
    EXPECT_EQ(w->cmb_MasterTapeList.text(), "MT-HD-0342");
    EXPECT_EQ(w->st.lin.CorWF, correctionOf("MT-HD-0342"));
    // The new tape's correction reads like any other.
    EXPECT_EQ(Read_MasterTapeCorrection(folder_, "MT-NEW-01", 100).nPoint, 21);
}

TEST_F(MasterTapeEditorTest, DeleteAsksFirstAndCancelAfterADeletionChangesNothing) {
    useDemoFile();
    loadTapeList(2);
    const std::string before = tapeFile();
    FrmMasterTape ed(*w);
    ed.show();
    ed.lst_MasterTape.userSelect(0);

    dialogs.answer(MsgResult::Cancel);
    ed.cmd_MasterTape(3).userClick();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].prompt, "Delete 1 data, OK ?");
    EXPECT_EQ(dialogs.shown()[0].title, "MORVA Master Tape Data");
    EXPECT_EQ(dialogs.shown()[0].style,
              forms::msg::OkCancel | forms::msg::Exclamation | forms::msg::DefaultButton2);
    EXPECT_EQ(ed.chk_MasterTapeEdit.value(), 0);
    EXPECT_EQ(ed.lst_MasterTape.listCount(), 3);

    dialogs.answer(MsgResult::Ok);
    ed.cmd_MasterTape(3).userClick();
    EXPECT_EQ(ed.chk_MasterTapeEdit.value(), 1);
    EXPECT_EQ(ed.lst_MasterTape.listCount(), 2);
    EXPECT_EQ(ed.lst_MasterTape.listIndex(), 0);  // the nearest line left
    EXPECT_EQ(ed.entries()[0].Name, "MT-HD-0342");
    EXPECT_EQ(ed.lbl_MasterTape_nEntry.caption(), "2");

    ed.cmd_MasterTape(1).userClick();
    EXPECT_FALSE(ed.visible());
    EXPECT_EQ(tapeFile(), before);
    EXPECT_EQ(w->cmb_MasterTapeList.listCount(), 3);
    EXPECT_EQ(w->cmb_MasterTapeList.listIndex(), 2);
}

TEST_F(MasterTapeEditorTest, DeletingTheCurrentTapeMakesEntryZeroCurrentAndTheLastDeletionLeavesNEntryZero) {
    useDemoFile();
    loadTapeList(1);
    {
        FrmMasterTape ed(*w);
        ed.show();
        ed.lst_MasterTape.userSelect(1);
        dialogs.answer(MsgResult::Ok);
        ed.cmd_MasterTape(3).userClick();
        ed.cmd_MasterTape(0).userClick();
    }
    EXPECT_EQ(w->cmb_MasterTapeList.items(), (std::vector<std::string>{"MT-SD-0117", "MT-DATA-0009"}));
    EXPECT_EQ(w->cmb_MasterTapeList.listIndex(), 0);
    EXPECT_EQ(w->st.lin.CorWF, correctionOf("MT-SD-0117"));

    {
        FrmMasterTape ed(*w);
        ed.show();
        for (int i = 0; i < 2; ++i) {
            dialogs.answer(MsgResult::Ok);
            ed.cmd_MasterTape(3).userClick();
        }
        EXPECT_EQ(ed.lbl_MasterTape_nEntry.caption(), "0");
        EXPECT_FALSE(ed.cmd_MasterTape(3).enabled());
        ed.cmd_MasterTape(0).userClick();
    }
    EXPECT_EQ(tapeFile(), "[MORVA Windows - MORVA MasterTape File] Ver.1.00\r\nnEntry = 0 \r\n");
    EXPECT_EQ(w->cmb_MasterTapeList.listCount(), 0);
    EXPECT_EQ(w->lbl_Info(4).caption(), "");
    EXPECT_EQ(w->st.lin.CorWF, CorWFPoints{});
}

TEST_F(MasterTapeEditorTest, AHostileFileKeepsEveryFieldThroughAnEditOfAnotherEntry) {
    writeLines("MORVA MasterTape.dat", {"Master tapes of bench 3 (no version)",
                                        "nEntry = 4 ",
                                        "",
                                        "Tape000_Name = ABCDEFGHIJKLMNOPQRST",
                                        "  EntryDate = 2001-02-03",
                                        "  TrackPitch = 19.5",
                                        "  nPoint = 123",
                                        "  CheckSum = -100.0",
                                        "  Data = 1.0,2.0",
                                        "",
                                        "Tape001_Name = マスターテープ基準第一号機用",
                                        "  EntryDate = 2002-03-04",
                                        "  TrackPitch = 7",
                                        "  nPoint = 5",
                                        "  CheckSum = 1234.5",
                                        "  Data = 1.5,2.5",
                                        "",
                                        "Tape002_Name = To delete",
                                        "  EntryDate = 2003-04-05",
                                        "  TrackPitch = 10",
                                        "  nPoint = 2",
                                        "  CheckSum = 0.0",
                                        "  Data = 0.0,0.0",
                                        "",
                                        "Tape003_Name = Tab\tname ",
                                        "  EntryDate = 12-31-2005",
                                        "  TrackPitch = 10",
                                        "  nPoint = 2",
                                        "  CheckSum = 0.0",
                                        "  Data = 0.0,0.0"});
    loadTapeList(0);
    const MasterTapeFile original = Read_MasterTapeFile(path("MORVA MasterTape.dat"));
    {
        FrmMasterTape ed(*w);
        ed.show();
        // The wide fields widen the columns of the view (14 kanji take 28 columns).
        EXPECT_EQ(ed.lst_MasterTape.list(0), "ABCDEFGHIJKLMNOPQRST" + std::string(8, ' ') +
                                                 "\t2001-02-03   [19.5]\t123pnts  (-100.0)\t1.0,2.0");
        ed.lst_MasterTape.userSelect(2);
        dialogs.answer(MsgResult::Ok);
        ed.cmd_MasterTape(3).userClick();
        ed.cmd_MasterTape(0).userClick();
    }
    const MasterTapeFile written = Read_MasterTapeFile(path("MORVA MasterTape.dat"));
    EXPECT_EQ(written.header, "Master tapes of bench 3 (no version)");
    ASSERT_EQ(written.entries.size(), 3u);
    EXPECT_EQ(written.entries[0], original.entries[0]);
    EXPECT_EQ(written.entries[1], original.entries[1]);
    EXPECT_EQ(written.entries[2], original.entries[3]);
    EXPECT_EQ(written.entries[2].Name, "Tab\tname ");
    EXPECT_EQ(written.entries[2].EntryDate, "2005-12-31");
    EXPECT_EQ(
        w->cmb_MasterTapeList.items(),
        (std::vector<std::string>{"ABCDEFGHIJKLMNOPQRST", "マスターテープ基準第一号機用", "Tab\tname "}));
    EXPECT_EQ(w->cmb_MasterTapeList.listIndex(), 0);
}

TEST_F(MasterTapeEditorTest, AFileCutShortIsWarnedAtOpeningAndBeforeTheRewriteDropsTheEntry) {
    writeLines(
        "MORVA MasterTape.dat",
        {"[MORVA Windows - MORVA MasterTape File] Ver.1.00", "nEntry = 2 ", "", "Tape000_Name = Whole",
         "  EntryDate = 2020-01-01", "  TrackPitch = 10", "  nPoint = 2", "  CheckSum = 0.3",
         "  Data = 0.1,0.2", "", "Tape001_Name = Cut", "  EntryDate = 2020-01-01", "  TrackPitch = 10"});
    loadTapeList(0);
    const std::string before = tapeFile();
    FrmMasterTape ed(*w);
    ed.show();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("\"Cut\": the file ends inside the entry"), std::string::npos);
    EXPECT_EQ(ed.lst_MasterTape.listCount(), 1);

    dialogs.answer(MsgResult::Cancel);
    ed.cmd_MasterTape(0).userClick();
    EXPECT_NE(dialogs.shown()[1].prompt.find("will be dropped"), std::string::npos);
    EXPECT_TRUE(ed.visible());
    EXPECT_EQ(tapeFile(), before);

    dialogs.answer(MsgResult::Ok);
    ed.cmd_MasterTape(0).userClick();
    EXPECT_FALSE(ed.visible());
    EXPECT_EQ(readLines("MORVA MasterTape.dat").size(), 9u);
}

TEST_F(MasterTapeEditorTest, AMissingFileOpensAnEmptyEditorAndTheFirstAcceptWritesTheHeader) {
    loadTapeList(-1);
    FrmMasterTape ed(*w);
    ed.today = [] { return std::string("2026-01-02"); };
    ed.show();
    EXPECT_EQ(ed.lst_MasterTape.listCount(), 0);
    EXPECT_FALSE(ed.cmd_MasterTape(3).enabled());
    EXPECT_TRUE(dialogs.shown().empty());

    ed.cmd_MasterTape(2).userClick();
    // A type of one point cannot be entered (the correction needs two).
    ed.cmb_MasterTape_Type.userSelect(2);
    EXPECT_NE(dialogs.shown().back().prompt.find("has 1 points"), std::string::npos);
    EXPECT_FALSE(ed.txt_MasterTape(0).enabled());
    ed.cmb_MasterTape_Type.userSelect(1);
    ed.txt_MasterTape(0).userSetText("  ");
    ed.txt_MasterTape(0).userKeyDown(forms::key::Return);
    EXPECT_EQ(dialogs.shown().back().prompt, "Input Name / ID.");
    ed.txt_MasterTape(0).userSetText("データ用テープ");
    ed.txt_MasterTape(0).userKeyDown(forms::key::Return);
    ed.txt_MasterTape(1).userSetText("3");
    ed.txt_MasterTape(1).userKeyDown(forms::key::Return);
    for (const char* v : {"1.04", "2.04", "", "", "", "", "", "", "", "", "-0.0"}) {
        ed.txt_MasterTape_Data.userSetText(v);
        ed.txt_MasterTape_Data.userKeyDown(forms::key::Return);
    }
    EXPECT_EQ(ed.lbl_MasterChk(1).caption(), "3.1");
    EXPECT_FALSE(ed.cmd_MasterTape(5).enabled());  // 3.1 is not 3
    ed.txt_MasterTape(1).userSetText("3.1");
    ed.txt_MasterTape(1).userKeyDown(forms::key::Return);
    ASSERT_TRUE(ed.cmd_MasterTape(5).enabled());
    ed.cmd_MasterTape(5).userClick();
    ed.cmd_MasterTape(0).userClick();

    EXPECT_EQ(readLines("MORVA MasterTape.dat"),
              (std::vector<std::string>{"[MORVA Windows - MORVA MasterTape File] Ver.1.00", "nEntry = 1 ", "",
                                        "Tape000_Name = データ用テープ", "  EntryDate = 2026-01-02",
                                        "  TrackPitch = 14", "  nPoint = 11", "  CheckSum = 3.1",
                                        "  Data = 1.0,2.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0,0.0"}));
    EXPECT_EQ(w->cmb_MasterTapeList.items(), (std::vector<std::string>{"データ用テープ"}));
    EXPECT_EQ(w->cmb_MasterTapeList.listIndex(), 0);
}

TEST_F(MasterTapeEditorTest, AFolderThatCannotBeWrittenKeepsTheOldFileWithOneMessage) {
    useDemoFile();
    loadTapeList(0);
    const std::string before = tapeFile();
    FrmMasterTape ed(*w);
    ed.show();
    dialogs.answer(MsgResult::Ok);
    ed.cmd_MasterTape(3).userClick();

    std::filesystem::permissions(
        folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                     std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                     std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    // An administrator writes anywhere: the write is tried as an ordinary user.
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) ::setfsuid(65534);
    dialogs.clear();
    ed.cmd_MasterTape(0).userClick();
    if (asRoot) ::setfsuid(0);
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);

    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_NE(dialogs.shown()[0].prompt.find("could not be saved to \"MORVA MasterTape.dat\""),
              std::string::npos);
    EXPECT_TRUE(ed.visible());  // the operator may cancel or try again
    EXPECT_EQ(tapeFile(), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
    EXPECT_EQ(w->cmb_MasterTapeList.listCount(), 3);
}

TEST_F(MasterTapeEditorTest, TheEditorDoesNotOpenWhileAMeasurementRuns) {
    useDemoFile();
    loadTapeList(0);
    w->st.flags.flg_Measuring = 1;
    w->proc.Show_MasterTapeEditor();  // would wait for ever if it opened
    w->st.flags.flg_Measuring = 0;
    w->st.flags.RunDepth = 1;
    w->proc.Show_MasterTapeEditor();
    EXPECT_EQ(openEditor(), nullptr);
    EXPECT_TRUE(dialogs.shown().empty());
}

}  // namespace
}  // namespace morva::test
