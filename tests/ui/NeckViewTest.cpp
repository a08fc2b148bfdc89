#include "ui/NeckView.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

bool isWood(QRgb c) {
    return qRed(c) > qBlue(c) + 15 && qRed(c) < 110 && qGreen(c) < 70;
}
bool isLight(QRgb c) {
    return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 180;
}

TEST(NeckViewTest, DrawsTheNeckAndMirrorsItForTheLeftHand) {
    NeckView view;
    view.resize(753, 183);
    for (bool left : {false, true}) {
        view.setLeftHanded(left);
        QImage image(753, 183, QImage::Format_ARGB32);
        view.render(&image);
        auto at = [&](int x, int y) {
            return image.pixel(left ? 752 - x : x, y);
        };
        EXPECT_TRUE(isLight(at(10, 92))) << left;  // margin for the open-string names
        EXPECT_TRUE(isLight(at(43, 92))) << left;  // nut
        EXPECT_TRUE(isWood(at(100, 92))) << left;  // between frets 1 and 2
        EXPECT_FALSE(isWood(at(310, 32))) << left; // string 1 over fret 5
        EXPECT_TRUE(isWood(at(310, 38))) << left;
    }
}

TEST(NeckViewTest, KeepsItsAspectAndReportsPressesInSurfaceUnits) {
    NeckView view;
    EXPECT_EQ(view.heightForWidth(1506), 366);
    view.resize(1506, 500); // letterboxed: 67 pixels above and below the surface
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(view.surfaceRect(), QRectF(0, 67, 1506, 366));

    QSignalSpy spy(&view, &NeckView::pressed);
    QTest::mousePress(&view, Qt::RightButton, {}, QPoint(132, 67 + 64));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(spy[0][1].toPointF(), QPointF(66, 32));
}

} // namespace
} // namespace chordalis
