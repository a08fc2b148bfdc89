#include "ui/SplashWindow.h"

#include "UiTestSupport.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace chordalis {
namespace {

using test::waitUntil;

// Start-up first, then the About box: one window, as in the program.
TEST(SplashWindowTest, StartupIgnoresTheUserThenAboutClosesOnClickOrKey) {
    SplashWindow splash;
    splash.setTag(SplashWindow::StartupTag);
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_TRUE(splash.closeTimer().isActive());
    EXPECT_EQ(splash.closeTimer().interval(), 1500);

    QTest::keyClick(&splash, Qt::Key_Escape);
    QTest::keyClick(&splash, Qt::Key_A);
    QTest::mouseClick(&splash, Qt::LeftButton);
    QTest::mouseClick(splash.findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
    splash.close();
    EXPECT_TRUE(splash.isVisible());

    // The timer closes it: its time is run at once rather than waited for.
    const_cast<QTimer&>(splash.closeTimer()).start(0);
    EXPECT_TRUE(waitUntil([&] { return !splash.isVisible(); }));
    EXPECT_FALSE(splash.closeTimer().isActive());

    // As the About box the timer is not armed again.
    splash.setTag(QString());
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    EXPECT_FALSE(splash.closeTimer().isActive());
    QTest::keyClick(&splash, Qt::Key_Shift);
    EXPECT_FALSE(splash.isVisible());

    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    QTest::mouseClick(splash.findChild<QLabel*>(QStringLiteral("lblVersion")), Qt::LeftButton);
    EXPECT_FALSE(splash.isVisible());
}

} // namespace
} // namespace chordalis
