#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/master_tape_list.h"
#include "files/wire_files.h"
#include "tests/files/window_fixture.h"

namespace morva::test {
namespace {

using MasterTapeList = WindowTest;

TEST_F(MasterTapeList, TheEntryNamesAreListedInFileOrder) {
    writeLines("MORVA MasterTape.dat",
               {"[MORVA Windows - MORVA MasterTape File] Ver.1.00", "nEntry = 3 ", "", "Tape007_Name = MT-B",
                "  EntryDate = 2024-01-02", "  Data = 0.1,0.2", "Tape without a key", "Tape000_Name = MT-A ",
                "tape001_Name = lower case", "Tape002_Name = MT-C"});
    Read_MasterTapeList(*w);
    EXPECT_EQ(w->cmb_MasterTapeList.items(), (std::vector<std::string>{"MT-B", "MT-A ", "MT-C"}));
    EXPECT_EQ(versions(), std::vector<std::string>{"MORVA MasterTape.dat : Ver.1.00"});
}

TEST_F(MasterTapeList, AMissingFileIsListedAndGivesNoTape) {
    Read_MasterTapeList(*w);
    EXPECT_EQ(w->cmb_MasterTapeList.listCount(), 0);
    EXPECT_EQ(versions(), std::vector<std::string>{"MORVA MasterTape.dat : not found"});
}

TEST_F(MasterTapeList, ChoosingATapeNamesItAndReadsItsCorrection) {
    Wire_Files(*w);
    std::vector<std::string> reads;
    w->proc.Read_CorWF_MasterTape.bind([&] { reads.push_back(w->lbl_Info(4).caption()); });
    w->cmb_MasterTapeList.addItem("MT-A");
    w->cmb_MasterTapeList.addItem("MT-B");
    w->cmb_MasterTapeList.setListIndex(1);
    EXPECT_EQ(reads, std::vector<std::string>{"MT-B"});
}

}  // namespace
}  // namespace morva::test
