#pragma once

#include "hosts/HostPage.h"

#include <functional>
#include <memory>
#include <string>

namespace cloud {

// Loads the visible page of the host list on a worker, one load at a time. Loads are asked
// for from several places (the navigation, the refresh loop, the page selector, the host
// operations); a request made while a load runs is remembered and served by one more load
// after it, so the list is never rewritten by two loads at once and never left on an
// older answer than the last request.
class HostListLoader
{
public:
    struct Hooks
    {
        // The page selector's text, as the GUI thread last recorded it.
        std::function<std::string()> selectorText;
        // The reply for a request path ("" when there was none).
        std::function<std::string(const std::string &)> fetch;
        // Hands a loaded page to the list (the caller carries it to the GUI thread).
        std::function<void(HostPage)> apply;
        // False once the list is gone; a load in progress then delivers nothing.
        std::function<bool()> alive;
    };

    explicit HostListLoader(Hooks hooks);

    // From any thread; never waits.
    void request();
    // Loads that have run to the end (for diagnostics and tests).
    int completedLoads() const;

private:
    struct Shared;
    static void runLoads(const std::shared_ptr<Shared> &shared);
    static void loadOnce(Shared &shared);

    std::shared_ptr<Shared> m_shared;
};

} // namespace cloud
