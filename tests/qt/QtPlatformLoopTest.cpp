#include <QTimer>

#include "tests/qt/QtTestFixture.h"
#include "tests/qt/QtTestSupport.h"

namespace quillmora::qttest {
namespace {

TEST_F(QtPlatformTest, PumpLeavesTheQuitRequestForTheLoopToTake) {
    int ran = 0;
    platform.post([&] { ++ran; });
    platform.postQuit();
    platform.pumpEvents();
    EXPECT_EQ(ran, 1);
    // The loop takes the request that the pump left, and only the outermost loop needs it.
    EXPECT_EQ(platform.runLoop([] { return false; }), LoopEnd::QuitTaken);
    bool done = false;
    platform.post([&] { done = true; });
    EXPECT_EQ(platform.runLoop([&] { return done; }), LoopEnd::ConditionMet);
}

TEST_F(QtPlatformTest, PumpWithNothingPendingReturnsAtOnce) {
    platform.pumpEvents();
    const auto started = platform.now();
    platform.pumpEvents();
    EXPECT_LT(platform.now() - started, std::chrono::milliseconds(200));
}

TEST_F(QtPlatformTest, LoopsNestAndTasksRunFromTheInnermost) {
    std::vector<std::string> order;
    bool innerDone = false;
    bool outerDone = false;
    platform.post([&] {
        order.push_back("outer task");
        platform.post([&] {
            order.push_back("inner task");
            innerDone = true;
        });
        EXPECT_EQ(platform.runLoop([&] { return innerDone; }), LoopEnd::ConditionMet);
        order.push_back("inner loop ended");
        outerDone = true;
    });
    EXPECT_EQ(platform.runLoop([&] { return outerDone; }), LoopEnd::ConditionMet);
    EXPECT_EQ(order, (std::vector<std::string>{"outer task", "inner task", "inner loop ended"}));
}

TEST_F(QtPlatformTest, QuitWakesALoopThatWaits) {
    QTimer::singleShot(20, [&] { platform.postQuit(); });
    EXPECT_EQ(platform.runLoop([] { return false; }), LoopEnd::QuitTaken);
}

}  // namespace
}  // namespace quillmora::qttest
