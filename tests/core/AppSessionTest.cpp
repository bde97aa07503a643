#include "app/AppSession.h"

#include <gtest/gtest.h>

#include <thread>

using namespace cloud;

TEST(AppSession, StartsEmptyAndClearEmptiesEverything)
{
    AppSession session;
    EXPECT_EQ(session.apiHost(), "");
    EXPECT_FALSE(session.signedInFlag());

    session.setApiHost("h");
    session.setLogoImage(std::string("\0png", 4));
    session.setAccountName("a1");
    session.setAccountPassword("p1");
    session.setDeviceKey("0123456789ABCDEF");
    session.setSignedInFlag(true);
    EXPECT_EQ(session.logoImage().size(), 4u);

    session.clear();
    EXPECT_EQ(session.apiHost(), "");
    EXPECT_EQ(session.logoImage(), "");
    EXPECT_EQ(session.accountName(), "");
    EXPECT_EQ(session.accountPassword(), "");
    EXPECT_EQ(session.deviceKey(), "");
    EXPECT_FALSE(session.signedInFlag());
}

// A sign-in worker replaces the account while the UI thread reads it: every read
// sees one whole value, never a mix (run under the sanitizers as well).
TEST(AppSession, ReadersSeeWholeValues)
{
    AppSession session;
    const std::string a(1000, 'a');
    const std::string b(2000, 'b');
    session.setAccountName(a);
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i)
            session.setAccountName(i % 2 ? a : b);
    });
    for (int i = 0; i < 2000; ++i) {
        const std::string seen = session.accountName();
        ASSERT_TRUE(seen == a || seen == b);
    }
    writer.join();
}
