// Picture boxes: the user scale and the display list that the view paints.

#include "forms/picture.h"
#include "fixture.h"

using namespace forms;

using PictureTest = FormsTest;

TEST_F(PictureTest, UserScaleMapsToTwipsWithYGrowingUpwards) {
    auto& pic = form.add<PictureBox>("pic_Graph_Lin", 0);
    pic.move(0, 0, 6000, 3000);
    pic.scale(0, 5, 100, -5);  // x 0..100 left to right, y +5 at the top, -5 at the bottom
    EXPECT_DOUBLE_EQ(pic.scaleWidth(), 100);
    EXPECT_DOUBLE_EQ(pic.scaleHeight(), -10);
    EXPECT_DOUBLE_EQ(pic.toTwipsX(50), 3000);
    EXPECT_DOUBLE_EQ(pic.toTwipsY(5), 0);
    EXPECT_DOUBLE_EQ(pic.toTwipsY(-5), 3000);
    EXPECT_DOUBLE_EQ(pic.toTwipsY(0), 1500);
    pic.setWidth(12000);  // a user scale keeps its units when the box grows
    EXPECT_DOUBLE_EQ(pic.toTwipsX(50), 6000);
}

TEST_F(PictureTest, WithoutAUserScaleTheScaleIsTwipsAndFollowsTheSize) {
    auto& pic = form.add<PictureBox>("pic_Page", 0);
    pic.move(0, 0, 2000, 1000);
    EXPECT_DOUBLE_EQ(pic.scaleWidth(), 2000);
    pic.setHeight(4000);
    EXPECT_DOUBLE_EQ(pic.scaleHeight(), 4000);
}

TEST_F(PictureTest, ClsLeavesOneClearAndDrawingAppendsInOrder) {
    auto& pic = form.add<PictureBox>("pic_Graph_Sens");
    pic.setBackColor(0x000000);
    pic.line(0, 0, 10, 10, 0x00FFFF);
    pic.cls();
    pic.setDrawWidth(2);
    pic.pset(1, 2, 0x0000FF);
    pic.line(1, 2, 3, 4, 0x00FF00);
    const auto& list = pic.displayList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].kind, DrawCommand::Clear);
    EXPECT_EQ(list[0].color, 0x000000u);
    EXPECT_EQ(list[1].kind, DrawCommand::Point);
    EXPECT_EQ(list[1].drawWidth, 2);
    EXPECT_EQ(list[2].kind, DrawCommand::Line);
    EXPECT_DOUBLE_EQ(list[2].x2, 3);
    EXPECT_EQ(list[2].color, 0x00FF00u);
    EXPECT_DOUBLE_EQ(pic.currentX, 3);
}
