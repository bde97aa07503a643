#include "TestPacing.h"

#include "hosts/TipRotation.h"

#include <gtest/gtest.h>

namespace cloud::test {
namespace {

using Tips = std::vector<std::string>;

TEST(TipRotation, TextSplitsIntoTipsAtLineBreaks)
{
    const std::pair<std::string, Tips> cases[] = {
        {"A\r\nB", {"A", "B"}},
        {"A\r\nB\r\n", {"A", "B"}}, // a closing line break adds no empty tip
        {"", {""}},                 // no reply: one empty tip
        {"A", {"A"}},
        {"A\r\n\r\nB", {"A", "", "B"}},
        {"A\nB", {"A\nB", ""}}, // counted by line feeds, cut at CR LF
    };
    for (const auto &[text, tips] : cases)
        EXPECT_EQ(TipRotation::splitTips(text), tips) << text;
}

class TipRotationTest : public ::testing::Test
{
protected:
    void SetUp() override { Pacing::install(pacing); }
    void TearDown() override { Pacing::install(nullptr); }

    TipRotation rotation(std::function<bool()> running)
    {
        return TipRotation({std::move(running),
                            [this](const std::string &tip) { shown.push_back(tip); },
                            [this] {
                                ++fetches;
                                return std::string("A\r\nB\r\n");
                            }});
    }

    std::shared_ptr<InstantPacing> pacing = std::make_shared<InstantPacing>();
    Tips shown;
    int fetches = 0;
};

TEST_F(TipRotationTest, RoundShowsTheHintThenEachTipForEightSeconds)
{
    EXPECT_TRUE(rotation([] { return true; }).runRound());
    EXPECT_EQ(shown, (Tips{std::string(TipRotation::defaultTip), "A", "B"}));
    EXPECT_EQ(fetches, 1);
    EXPECT_EQ(pacing->total(), std::chrono::seconds(24));
}

TEST_F(TipRotationTest, StoppedSessionEndsTheRotationWithinASecond)
{
    int checks = 0;
    // The session ends during the first tip's pause.
    rotation([&] { return ++checks < 4; }).run();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(fetches, 0);
    EXPECT_LE(pacing->total(), std::chrono::seconds(3));
}

} // namespace
} // namespace cloud::test
