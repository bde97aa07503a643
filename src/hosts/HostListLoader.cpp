#include "hosts/HostListLoader.h"

#include "ui/Workers.h"

#include <atomic>
#include <mutex>

namespace cloud {

struct HostListLoader::Shared
{
    Hooks hooks;
    std::mutex mutex;
    bool running = false;
    bool again = false;
    std::atomic<int> completed{0};
};

HostListLoader::HostListLoader(Hooks hooks) : m_shared(std::make_shared<Shared>())
{
    m_shared->hooks = std::move(hooks);
}

void HostListLoader::request()
{
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->running) {
            m_shared->again = true;
            return;
        }
        m_shared->running = true;
        m_shared->again = false;
    }
    std::shared_ptr<Shared> shared = m_shared;
    Workers::start([shared] { runLoads(shared); });
}

int HostListLoader::completedLoads() const
{
    return m_shared->completed.load();
}

void HostListLoader::runLoads(const std::shared_ptr<Shared> &shared)
{
    while (true) {
        loadOnce(*shared);
        std::lock_guard lock(shared->mutex);
        if (!shared->again || !shared->hooks.alive()) {
            shared->running = false;
            return;
        }
        shared->again = false;
    }
}

void HostListLoader::loadOnce(Shared &shared)
{
    const Hooks &hooks = shared.hooks;
    if (!hooks.alive())
        return;
    const std::int64_t page = HostPage::requestedPage(hooks.selectorText());
    HostPage loaded = HostPage::parse(hooks.fetch(HostPage::requestPath(page)));
    if (hooks.alive())
        hooks.apply(std::move(loaded));
    ++shared.completed;
}

} // namespace cloud
