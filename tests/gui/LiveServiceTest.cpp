#include "LiveService.h"

#include <gtest/gtest.h>

namespace cloud::test {
namespace {

// The end-to-end tests stand on this: the client's own key sign-in reaches the in-process
// service and only the seeded credentials open a session.
TEST(LiveService, ClientSignsInWithSeededCredentialsOnly)
{
    LiveService service;
    struct Case
    {
        const char *account;
        const char *password;
        bool signedIn;
    } const cases[] = {
        {"13800000000", "demo1234", true},
        {"13900000000", "demo1234", true},
        {"13800000000", "wrong-password", false},
        {"13700000000", "demo1234", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(service.signIn(c.account, c.password), c.signedIn)
            << c.account << " " << c.password;
}

} // namespace
} // namespace cloud::test
