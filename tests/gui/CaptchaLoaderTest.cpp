#include "FakeAccountService.h"
#include "GuiTestEnvironment.h"

#include "account/CaptchaLoader.h"
#include "ui/LoginWindow.h"
#include "ui/PictureBox.h"
#include "ui/Workers.h"

#include <QSignalSpy>

namespace cloud::test {
namespace {

using namespace std::chrono_literals;

class CaptchaLoaderTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Workers::resetForTests();
        AppSession::instance().clear();
        service.pointSessionHere();
        window = std::make_unique<LoginWindow>();
        loader = std::make_unique<CaptchaLoader>(window.get());
    }

    void TearDown() override
    {
        Workers::resetForTests();
        AppSession::instance().clear();
    }

    bool loadsDone()
    {
        return QTest::qWaitFor([] { return Workers::running() == 0; }, 10000);
    }
    int shownWidth() const { return window->captchaPicture()->image().width(); }

    FakeAccountService service;
    std::unique_ptr<LoginWindow> window;
    std::unique_ptr<CaptchaLoader> loader;
};

TEST_F(CaptchaLoaderTest, EveryLoadAsksForAnImageUnderAFreshId)
{
    QSignalSpy shown(loader.get(), &CaptchaLoader::captchaShown);
    loader->loadCaptcha();
    ASSERT_TRUE(shown.wait(5000));
    EXPECT_EQ(shownWidth(), FakeAccountService::captchaWidth(0));
    loader->loadCaptcha();
    ASSERT_TRUE(shown.wait(5000));
    EXPECT_EQ(shownWidth(), FakeAccountService::captchaWidth(1));

    const auto requests = service.requestsTo("/user/captcha");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].query, requests[1].query);
    for (const auto &request : requests)
        EXPECT_TRUE(request.query.starts_with("0.")) << request.query;
}

TEST_F(CaptchaLoaderTest, OnlyTheNewestOfOverlappingLoadsIsShown)
{
    // The first image arrives after the second.
    service.setCaptchaDelays({400ms, 0ms});
    QSignalSpy shown(loader.get(), &CaptchaLoader::captchaShown);
    loader->loadCaptcha();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return service.requestsTo("/user/captcha").size() == 1; }, 5000));
    loader->loadCaptcha();
    ASSERT_TRUE(loadsDone());
    QTest::qWait(20);
    EXPECT_EQ(shownWidth(), FakeAccountService::captchaWidth(1));
    EXPECT_EQ(shown.count(), 1);
}

TEST_F(CaptchaLoaderTest, NoReplyLeavesThePictureBlank)
{
    QSignalSpy shown(loader.get(), &CaptchaLoader::captchaShown);
    loader->loadCaptcha();
    ASSERT_TRUE(shown.wait(5000));
    ASSERT_FALSE(window->captchaPicture()->image().isNull());

    AppSession::instance().setBaseUrl("http://127.0.0.1:1"); // nothing listens there
    loader->loadCaptcha();
    ASSERT_TRUE(shown.wait(5000));
    EXPECT_FALSE(shown.last().at(0).toBool());
    EXPECT_TRUE(window->captchaPicture()->image().isNull());
}

} // namespace
} // namespace cloud::test
