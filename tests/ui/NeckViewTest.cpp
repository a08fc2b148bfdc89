#include "ui/NeckView.h"

#include "fretboard/Fretboard.h"
#include "fretboard/LedSender.h"
#include "modes/AppState.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

TEST(NeckViewTest, KeepsItsAspectAndReportsPressesInSurfaceUnits) {
    AppState state;
    SilentLedSender led;
    Fretboard fretboard(state.neckSettings(), led);
    NeckView view(fretboard);
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

    // Wide and short: the neck is drawn longer to fill the width, presses still land where the
    // surface has them; beyond twice its length it stays centred.
    view.resize(1506, 183);
    EXPECT_DOUBLE_EQ(view.stretch(), 2.0);
    EXPECT_EQ(view.surfaceRect(), QRectF(0, 0, 1506, 183));
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(753, 91));
    EXPECT_EQ(spy[1][1].toPointF(), QPointF(376.5, 91));
    view.resize(1506, 250);
    EXPECT_NEAR(view.surfaceRect().width(), 1506, 0.01);
    view.resize(2000, 183);
    EXPECT_EQ(view.surfaceRect(), QRectF(247, 0, 1506, 183));
}

} // namespace
} // namespace chordalis
