#include "GuiTestEnvironment.h"

#include "ui/BusyIndicator.h"
#include "ui/ProgressPhase.h"

#include <QSignalSpy>
#include <QTimer>

namespace cloud::test {
namespace {

class BusyIndicatorTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        host = std::make_unique<QWidget>();
        indicator = new BusyIndicator(QStringLiteral("图片框登录进度"), QStringLiteral("时钟1"),
                                      phase, host.get());
        host->show();
    }

    // Brings the strip to `frame` with its timer still running (not possible for 25
    // and 40, never shown, nor for the two end frames, where the timer stops).
    bool reachRunning(int frame)
    {
        if (frame <= 24)
            indicator->startBusy(), ticks(frame);
        else if (frame >= 26 && frame <= 38)
            indicator->showSuccess(), ticks(frame - 26);
        else if (frame >= 41 && frame <= 49)
            indicator->showFailure(), ticks(frame - 41);
        else
            return false;
        return indicator->frameIndex() == frame && indicator->timer()->isActive();
    }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            indicator->tick();
    }

    ProgressPhase phase;
    std::unique_ptr<QWidget> host;
    BusyIndicator *indicator = nullptr;
};

TEST_F(BusyIndicatorTest, StartsHiddenAndIdle)
{
    EXPECT_FALSE(indicator->isVisible());
    EXPECT_EQ(phase.value(), ProgressPhase::Unused);
    EXPECT_FALSE(indicator->timer()->isActive());
    EXPECT_EQ(indicator->timer()->objectName(), QStringLiteral("时钟1"));
}

TEST_F(BusyIndicatorTest, BusyLoopRunsFramesZeroToTwentyFour)
{
    indicator->startBusy();
    EXPECT_TRUE(indicator->isVisible());
    EXPECT_EQ(phase.value(), ProgressPhase::Busy);
    EXPECT_EQ(indicator->timer()->interval(), 40);
    EXPECT_TRUE(indicator->timer()->isActive());
    int highest = 0;
    for (int i = 1; i <= 24; ++i) {
        indicator->tick();
        highest = std::max(highest, indicator->frameIndex());
    }
    EXPECT_EQ(highest, 24);
    indicator->tick();
    EXPECT_EQ(indicator->frameIndex(), 0) << "frame 25 wraps to the first frame";
    ticks(100);
    EXPECT_TRUE(indicator->timer()->isActive()) << "the busy loop never ends by itself";
}

TEST_F(BusyIndicatorTest, SuccessPlaysTwentySixToThirtyNineThenStops)
{
    QSignalSpy ended(indicator, &BusyIndicator::animationEnded);
    indicator->startBusy();
    ticks(7);
    indicator->showSuccess();
    EXPECT_EQ(indicator->frameIndex(), 26);
    EXPECT_EQ(phase.value(), ProgressPhase::Success);
    ticks(12);
    EXPECT_EQ(indicator->frameIndex(), 38);
    EXPECT_FALSE(indicator->successEnded());
    EXPECT_EQ(ended.count(), 0);
    indicator->tick();
    EXPECT_EQ(indicator->frameIndex(), 39);
    EXPECT_TRUE(indicator->successEnded());
    EXPECT_FALSE(indicator->timer()->isActive());
    EXPECT_EQ(ended.count(), 1);
    ticks(5);
    EXPECT_EQ(indicator->frameIndex(), 39) << "a stopped strip stays on its last frame";
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(BusyIndicatorTest, FailurePlaysFortyOneToFiftyThenStops)
{
    QSignalSpy ended(indicator, &BusyIndicator::animationEnded);
    indicator->startBusy();
    indicator->showFailure();
    EXPECT_EQ(indicator->frameIndex(), 41);
    EXPECT_EQ(phase.value(), ProgressPhase::Failure);
    ticks(8);
    EXPECT_EQ(indicator->frameIndex(), 49);
    EXPECT_TRUE(indicator->failureEnded()) << "the flows wait for frame 49";
    EXPECT_TRUE(indicator->timer()->isActive());
    indicator->tick();
    EXPECT_EQ(indicator->frameIndex(), 50);
    EXPECT_FALSE(indicator->timer()->isActive());
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(BusyIndicatorTest, HideKeepsTheStateButHidesThePicture)
{
    indicator->startBusy();
    indicator->hide();
    EXPECT_FALSE(indicator->isVisible());
    indicator->startBusy();
    EXPECT_TRUE(indicator->isVisible());
    EXPECT_EQ(indicator->frameIndex(), 0);
}

TEST_F(BusyIndicatorTest, UnusedPhaseLeavesTheFrameAlone)
{
    indicator->startBusy();
    ticks(3);
    phase.set(ProgressPhase::Unused);
    ticks(10);
    EXPECT_EQ(indicator->frameIndex(), 3);
}

// The phase is shared by the window's indicators, so one indicator may meet any
// phase at any of its frames (another page started or finished meanwhile). Its
// frame must stay inside the 51-frame strip and the outcome phases must end.
TEST_F(BusyIndicatorTest, SharedPhaseNeverDrivesTheFrameOutOfTheStrip)
{
    for (int phaseValue : {ProgressPhase::Busy, ProgressPhase::Success, ProgressPhase::Failure}) {
        for (int start = 0; start <= 50; ++start) {
            if (start == 25 || start == 39 || start == 40 || start == 50)
                continue;
            ASSERT_TRUE(reachRunning(start)) << start;
            phase.set(phaseValue);
            for (int i = 0; i < 120; ++i) {
                indicator->tick();
                ASSERT_GE(indicator->frameIndex(), 0);
                ASSERT_LE(indicator->frameIndex(), 50)
                    << "phase " << phaseValue << " from frame " << start;
            }
            EXPECT_EQ(indicator->timer()->isActive(), phaseValue == ProgressPhase::Busy)
                << "phase " << phaseValue << " from frame " << start;
        }
    }
}

TEST_F(BusyIndicatorTest, TwoIndicatorsShareOnePhase)
{
    auto *other = new BusyIndicator(QStringLiteral("图片框注册进度"), QStringLiteral("时钟3"),
                                    phase, host.get());
    indicator->startBusy();
    other->showFailure();
    EXPECT_EQ(phase.value(), ProgressPhase::Failure);
    ticks(60);
    EXPECT_EQ(indicator->frameIndex(), 50) << "the first indicator follows the shared phase";
    EXPECT_FALSE(indicator->timer()->isActive());
}

TEST_F(BusyIndicatorTest, RealTimerDrivesTheStrip)
{
    QSignalSpy ended(indicator, &BusyIndicator::animationEnded);
    indicator->showFailure();
    EXPECT_TRUE(ended.wait(5000));
    EXPECT_EQ(indicator->frameIndex(), 50);
}

} // namespace
} // namespace cloud::test
