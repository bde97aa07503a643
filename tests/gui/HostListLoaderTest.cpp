#include "HostReplies.h"

#include "hosts/HostListLoader.h"
#include "hosts/SharedText.h"
#include "ui/Workers.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace cloud::test {
namespace {

// A fetch that holds every request until the test lets it go.
class Gate
{
public:
    std::string fetch(const std::string &path)
    {
        std::unique_lock lock(m_mutex);
        m_paths.push_back(path);
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
        return hostListReply(1, someHosts(1));
    }
    void waitForRequests(std::size_t n)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_paths.size() >= n; });
    }
    void open()
    {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    std::vector<std::string> paths()
    {
        std::lock_guard lock(m_mutex);
        return m_paths;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_paths;
    bool m_open = false;
};

TEST(HostListLoader, RequestsDuringALoadAreServedByOneMoreLoad)
{
    Gate gate;
    SharedText selector;
    selector.set("2");
    std::atomic<int> applied{0};
    HostListLoader loader(
        {[&] { return selector.get(); }, [&](const std::string &path) { return gate.fetch(path); },
         [&](HostPage page) { applied += int(page.records.size()); }, [] { return true; }});
    loader.request();
    gate.waitForRequests(1);
    selector.set("3"); // written before the next request, as the GUI thread does
    for (int i = 0; i < 5; ++i)
        loader.request();
    gate.open();
    Workers::resetForTests();

    EXPECT_EQ(gate.paths(), (std::vector<std::string>{"/user/data/vpslist?page=2&limit=5&ljs=1",
                                                      "/user/data/vpslist?page=3&limit=5&ljs=1"}));
    EXPECT_EQ(loader.completedLoads(), 2);
    EXPECT_EQ(applied, 2);

    // Idle again: the next request starts a load of its own.
    loader.request();
    Workers::resetForTests();
    EXPECT_EQ(loader.completedLoads(), 3);
}

TEST(HostListLoader, NothingIsDeliveredOnceTheListIsGone)
{
    std::atomic<bool> alive{true};
    std::atomic<int> applied{0};
    HostListLoader loader({[] { return std::string("1"); },
                           [&](const std::string &) {
                               alive = false;
                               return hostListReply(1, someHosts(1));
                           },
                           [&](HostPage) { ++applied; }, [&] { return alive.load(); }});
    loader.request();
    Workers::resetForTests();
    EXPECT_EQ(applied, 0);
}

} // namespace
} // namespace cloud::test
