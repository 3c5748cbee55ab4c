#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/spec_line_file.h"
#include "files/work_list_file.h"
#include "tests/files/window_fixture.h"

namespace morva::test {
namespace {

class ModelFiles : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        w->st.settings.Path_WorkList = programFolder() + "WorkList/";
        w->st.settings.Path_SpecLine_Lin = programFolder() + "SpecLine_Lin/";
        w->cmb_ModelNameList.addItem("VK-450");
        w->cmb_ModelNameList.setListIndex(0);
    }
    void workList(const std::vector<std::string>& lines) {
        writeLines("WorkList/VK-450.WorkList", lines);
        Read_WorkListFile(*w);
    }
    void specLine(const std::vector<std::string>& lines) {
        writeLines("SpecLine_Lin/VK-450.SpecLine", lines);
        Read_SpecLineFile(*w);
    }
    const WorkListState& items() const { return w->st.worklist; }
    int32_t upper(int i) const { return w->st.spec.SpecLine_Lin[0][static_cast<size_t>(i)]; }
    int32_t lower(int i) const { return w->st.spec.SpecLine_Lin[1][static_cast<size_t>(i)]; }
};

TEST_F(ModelFiles, TheWorkListFillsItsLabelsListAndItems) {
    workList({"[MORVA Windows - Work List] Ver.1.00", "ModelName = VK-450 (4 heads)", "Control = S2 to TEST",
              "Cable = TC-45", "Other = skipped", "[Work List/Test Point]",
              "STD Gain,STD,tp0,tp1,tp2,tp3,tp4,x0,x1,x2,x3,x4,with,commas",
              "LONG Linearity,LONG,t0,t1,t2,t3,t4,,,,,"});
    EXPECT_EQ(w->lbl_WorkList(3).caption(), "VK-450 (4 heads)");
    EXPECT_EQ(w->lbl_WorkList(4).caption(), "S2 to TEST");
    EXPECT_EQ(w->lbl_WorkList(5).caption(), "TC-45");
    EXPECT_EQ(w->lst_WorkList.items(), (std::vector<std::string>{"STD Gain", "LONG Linearity"}));
    EXPECT_EQ(items().WorkList_Mode[0], "STD");
    EXPECT_EQ(items().WorkList_TestPoint[0][0], "tp0");
    EXPECT_EQ(items().WorkList_TestPoint[0][4], "tp4");
    EXPECT_EQ(items().WorkList_Extra[0][4], "x4,with,commas");  // the last field runs to the end
    EXPECT_EQ(items().WorkList_Mode[1], "LONG");
    EXPECT_EQ(items().WorkList_TestPoint[1][2], "t2");
}

TEST_F(ModelFiles, ShortBlankAndSurplusItemLines) {
    std::vector<std::string> lines = {"Ver.1", "[Work List/Test Point]", "", "Only Name", "Gain,STD,tp0"};
    for (int i = 0; i < 25; ++i)
        lines.push_back("Item " + std::to_string(i) + ",STD,a,b,c,d,e,f,g,h,i,j");
    w->st.worklist.WorkList_TestPoint[1][1] = "stale";
    w->st.settings.Dsp_WorkList = 1;
    workList(lines);
    ASSERT_EQ(w->lst_WorkList.listCount(), 21);
    EXPECT_EQ(w->lst_WorkList.list(0), "Only Name");
    EXPECT_EQ(items().WorkList_Mode[0], "");
    EXPECT_EQ(items().WorkList_TestPoint[1][0], "tp0");
    EXPECT_EQ(items().WorkList_TestPoint[1][1], "");  // missing fields are empty, not stale
    EXPECT_EQ(w->lst_WorkList.list(20), "Item 18");
    EXPECT_EQ(w->lst_WorkList.listIndex(), -1);
}

TEST_F(ModelFiles, ASpecCurveIsLinearBetweenItsNodes) {
    specLine({"Ver.1", "[Upper]", "n_Node = 2", "Node0 = 1,2.0", "Node1 = 11,1.0", "[Lower]", "n_Node = 3",
              "Node0 = 0,-1.0", "Node1 = 50,-2.0", "Node2 = 100,-1.0"});
    EXPECT_EQ(upper(1), 200);
    EXPECT_EQ(upper(2), 190);
    EXPECT_EQ(upper(6), 150);
    EXPECT_EQ(upper(11), 100);
    EXPECT_EQ(upper(12), 0);  // outside the nodes: unchanged
    EXPECT_EQ(lower(0), -100);
    EXPECT_EQ(lower(25), -150);
    EXPECT_EQ(lower(50), -200);
    EXPECT_EQ(lower(100), -100);
    EXPECT_EQ(w->st.spec.n_Node[1], 3);
    EXPECT_EQ(w->st.spec.SpecNode_Pos[1][1], 50);
    EXPECT_FLOAT_EQ(w->st.spec.SpecNode_Val[1][1], -2.0f);
}

TEST_F(ModelFiles, LimitsRoundToTheNearestHundredthHalvesToEven) {
    // Steps of 0.125 and -0.625: 12.5 and -62.5 hundredths go to 12 and -62.
    specLine({"Ver.1", "n_Node = 2", "N = 0,0.0", "N = 2,0.25", "n_Node = 2", "N = 0,0.0", "N = 2,-1.25"});
    EXPECT_EQ(upper(1), 12);
    EXPECT_EQ(lower(1), -62);
}

TEST_F(ModelFiles, OddNodesWriteNothingOutsideTheCurve) {
    w->st.spec.SpecLine_Lin[0].fill(-7);
    w->st.spec.SpecLine_Lin[1].fill(-7);
    specLine({"Ver.1", "n_Node = 4", "N = -10,1.0", "N = 5,2.5", "N = 5,9.0", "N = 120,9.0", "n_Node = 1",
              "N = 40,3.0"});
    EXPECT_EQ(upper(0), 200);  // on the line through (-10, 1.0) and (5, 2.5)
    EXPECT_EQ(upper(4), 240);
    EXPECT_EQ(upper(5), 900);  // the step at point 5: the next segment starts at 9.0
    EXPECT_EQ(upper(100), 900);
    for (int i = 0; i <= 100; ++i)
        EXPECT_EQ(lower(i), -7) << i;  // a single node sets no point
}

// A node far outside the 32-bit range is clamped on reading; the distance
// to the next node must still be formed without overflow, so the curve
// between them is drawn (nearly flat at the second node's limit).
TEST_F(ModelFiles, NodesAtThe32BitExtremesStillDrawTheirSegment) {
    specLine({"Ver.1", "n_Node = 2", "N = -3000000000,1.0", "N = 50,2.0", "n_Node = 2", "N = 50,-2.0",
              "N = 3000000000,-1.0"});
    EXPECT_EQ(upper(0), 200);
    EXPECT_EQ(upper(50), 200);
    EXPECT_EQ(lower(50), -200);
    EXPECT_EQ(lower(100), -200);
}

TEST_F(ModelFiles, MoreThanTenNodesKeepTheFirstTenAndTheSecondCurveStillFollows) {
    std::vector<std::string> lines = {"Ver.1", "n_Node = 12"};
    for (int k = 0; k < 12; ++k)
        lines.push_back("N = " + std::to_string(k * 10) + ",1.0");
    lines.insert(lines.end(), {"n_Node = 2", "N = 0,-1.0", "N = 100,-1.0"});
    w->st.spec.SpecLine_Lin[0][100] = -7;
    specLine(lines);
    EXPECT_EQ(w->st.spec.n_Node[0], 10);
    EXPECT_EQ(upper(90), 100);
    EXPECT_EQ(upper(100), -7);  // the eleventh node is not kept
    EXPECT_EQ(lower(100), -100);
}

TEST_F(ModelFiles, AFileWithoutTheSecondCurveLeavesIt) {
    w->st.spec.SpecLine_Lin[1][5] = -150;
    w->st.spec.n_Node[1] = 4;
    specLine({"Ver.1", "n_Node = 2", "N = 0,1.0", "N = 10,1.0"});
    EXPECT_EQ(upper(5), 100);
    EXPECT_EQ(lower(5), -150);
    EXPECT_EQ(w->st.spec.n_Node[1], 0);
}

TEST_F(ModelFiles, DefaultLimitsCoverTheLinearityPointsOnly) {
    w->st.params.nData_LinWF = 1000;  // more than the curves hold
    Set_DefaultSpecLine(w->st);
    EXPECT_EQ(upper(0), 0);
    EXPECT_EQ(upper(1), 150);
    EXPECT_EQ(lower(100), -150);
}

}  // namespace
}  // namespace morva::test
