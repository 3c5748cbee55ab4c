// Scale units to pixels and the rendering of a picture box's display list.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>

#include "forms/picture.h"
#include "qt/picture_painter.h"
#include "qt_fixture.h"

namespace {

using qtview::fromPixels;
using qtview::toPixels;

constexpr forms::Color kRed = 0x0000FF;  // 0x00BBGGRR
constexpr forms::Color kGreen = 0x00FF00;
constexpr forms::Color kBlackBack = 0x000000;

TEST(PicturePainter, UpwardScaleMapsTheOriginToTheBottomLeftPixel) {
    // Scale (0, 100)-(100, 0): y grows upwards.
    forms::UserScale s{0, 100, 100, -100};
    const QSizeF area(101, 51);
    EXPECT_EQ(toPixels(s, area, 0, 0), QPointF(0, 50));
    EXPECT_EQ(toPixels(s, area, 100, 100), QPointF(100, 0));
    EXPECT_EQ(toPixels(s, area, 50, 50), QPointF(50, 25));
    EXPECT_EQ(toPixels(s, area, 0, 100), QPointF(0, 0));
}

TEST(PicturePainter, OffsetScaleAndItsInverse) {
    // A graph from -20 to 20 um across 1 .. 150 points.
    forms::UserScale s{1, 20, 149, -40};
    const QSizeF area(300, 201);
    QPointF p = toPixels(s, area, 75.5, -5);
    EXPECT_NEAR(p.x(), (75.5 - 1) / 149 * 299, 1e-9);
    EXPECT_NEAR(p.y(), 125, 1e-9);
    QPointF back = fromPixels(s, area, p);
    EXPECT_NEAR(back.x(), 75.5, 1e-9);
    EXPECT_NEAR(back.y(), -5, 1e-9);
}

TEST(PicturePainter, DegenerateScaleOrAreaGivesFinitePixels) {
    forms::UserScale flat{0, 0, 0, 0};
    QPointF p = toPixels(flat, QSizeF(100, 100), 5, 5);
    EXPECT_TRUE(std::isfinite(p.x()) && std::isfinite(p.y()));
    QPointF q = fromPixels(forms::UserScale{0, 0, 10, 10}, QSizeF(1, 0), QPointF(3, 3));
    EXPECT_TRUE(std::isfinite(q.x()) && std::isfinite(q.y()));
}

TEST(PicturePainter, ClipLineKeepsTheVisiblePart) {
    const QRectF clip(0, 0, 100, 50);
    QPointF a(-1e12, 25), b(1e12, 25);
    ASSERT_TRUE(qtview::clipLine(clip, a, b));
    EXPECT_NEAR(a.x(), 0, 1e-3);
    EXPECT_NEAR(b.x(), 100, 1e-3);
    EXPECT_DOUBLE_EQ(a.y(), 25);

    QPointF c(-10, -10), d(-1, 60);  // entirely left of the rectangle
    EXPECT_FALSE(qtview::clipLine(clip, c, d));
    QPointF e(10, 10), f(20, 20);  // entirely inside: unchanged
    ASSERT_TRUE(qtview::clipLine(clip, e, f));
    EXPECT_EQ(e, QPointF(10, 10));
    EXPECT_EQ(f, QPointF(20, 20));
}

struct PictureRender : QtFormsTest {
    forms::Form form{app, "frmPicture"};
    forms::PictureBox& pic = form.add<forms::PictureBox>("pic_Graph_Lin", 0);
    PictureRender() {
        pic.setBackColor(kBlackBack);
        pic.scale(0, 100, 100, 0);
        pic.cls();
    }
    static bool isColor(const QImage& img, int x, int y, QColor c) { return img.pixelColor(x, y) == c; }
};

TEST_F(PictureRender, RedDiagonalRunsFromBottomLeftToTopRight) {
    pic.line(0, 0, 100, 100, kRed);
    QImage img = qtview::renderPicture(pic, QSize(101, 101));
    const QColor red(255, 0, 0);
    EXPECT_TRUE(isColor(img, 0, 100, red));
    EXPECT_TRUE(isColor(img, 50, 50, red));
    EXPECT_TRUE(isColor(img, 100, 0, red));
    EXPECT_TRUE(isColor(img, 0, 0, Qt::black));
    EXPECT_TRUE(isColor(img, 100, 100, Qt::black));
}

TEST_F(PictureRender, HorizontalLineCoversExactlyItsRow) {
    pic.line(10, 50, 90, 50, kRed);
    QImage img = qtview::renderPicture(pic, QSize(101, 101));
    const QColor red(255, 0, 0);
    for (int x = 10; x <= 90; ++x)
        ASSERT_TRUE(isColor(img, x, 50, red)) << "x=" << x;
    EXPECT_TRUE(isColor(img, 9, 50, Qt::black));
    EXPECT_TRUE(isColor(img, 91, 50, Qt::black));
    EXPECT_TRUE(isColor(img, 50, 49, Qt::black));
    EXPECT_TRUE(isColor(img, 50, 51, Qt::black));
}

TEST_F(PictureRender, ClearPointsAndBoxes) {
    pic.setBackColor(0xFFFFFF);
    pic.cls();  // clears in the new back colour
    pic.pset(20, 80, kGreen);
    pic.box(60, 40, 80, 20, kRed, true);
    pic.box(0, 100, 100, 0, kGreen, false);
    QImage img = qtview::renderPicture(pic, QSize(101, 101));
    EXPECT_TRUE(isColor(img, 20, 20, Qt::green));  // the point
    EXPECT_TRUE(isColor(img, 21, 20, Qt::white));
    EXPECT_TRUE(isColor(img, 70, 70, QColor(255, 0, 0)));  // inside the filled box
    EXPECT_TRUE(isColor(img, 60, 60, QColor(255, 0, 0)));  // its corner is inclusive
    EXPECT_TRUE(isColor(img, 59, 70, Qt::white));
    EXPECT_TRUE(isColor(img, 0, 50, Qt::green));  // the frame on the scale's edges
    EXPECT_TRUE(isColor(img, 100, 50, Qt::green));
    EXPECT_TRUE(isColor(img, 50, 100, Qt::green));
    EXPECT_TRUE(isColor(img, 50, 50, Qt::white));
}

TEST_F(PictureRender, WideDrawWidthThickensLines) {
    pic.setDrawWidth(3);
    pic.line(0, 50, 100, 50, kRed);
    QImage img = qtview::renderPicture(pic, QSize(101, 101));
    EXPECT_TRUE(isColor(img, 50, 49, QColor(255, 0, 0)));
    EXPECT_TRUE(isColor(img, 50, 51, QColor(255, 0, 0)));
    EXPECT_TRUE(isColor(img, 50, 47, Qt::black));
}

TEST_F(PictureRender, WildValuesAreCutOrSkippedNotDrawnAcross) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    pic.line(-1e15, 50, 1e15, 50, kRed);  // a broken signal's sample
    pic.line(0, nan, 100, 0, kGreen);
    pic.pset(inf, 10, kGreen);
    pic.box(-1e300, 1e300, 1e300, 90, kGreen, true);  // clamped to the area's margin
    QImage img = qtview::renderPicture(pic, QSize(101, 101));
    for (int x = 0; x <= 100; ++x)
        ASSERT_TRUE(isColor(img, x, 50, QColor(255, 0, 0))) << "x=" << x;
    EXPECT_TRUE(isColor(img, 50, 5, Qt::green));   // the huge box's visible band
    EXPECT_TRUE(isColor(img, 50, 40, Qt::black));  // the NaN line drew nothing
}

TEST_F(PictureRender, PrintedTextSitsBelowItsPoint) {
    pic.currentX = 10;
    pic.currentY = 90;
    pic.print("1.5", kRed);
    QImage img = qtview::renderPicture(pic, QSize(201, 201));
    // Text starts at pixel (20, 20) and goes down and right from there.
    int above = 0, below = 0;
    for (int y = 0; y < 201; ++y)
        for (int x = 0; x < 201; ++x)
            if (img.pixelColor(x, y).red() > 128 && img.pixelColor(x, y).green() < 100)
                (y < 20 ? above : below)++;
    EXPECT_EQ(above, 0);
    EXPECT_GT(below, 5);
}

}  // namespace
