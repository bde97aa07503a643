#pragma once

#include "ServiceOptions.h"

#include <httplib.h>

#include <mutex>
#include <random>

namespace refservice {

// The configured latency and faults, applied to a request before its handler runs, so the
// client can be tried against a slow or failing service.
class FaultInjector
{
public:
    explicit FaultInjector(const ServiceOptions &options);

    // Waits the latency, then draws a fault. Returns true when the fault has answered the
    // request (or dropped its connection) and the handler must not run.
    bool intercept(const httplib::Request &req, httplib::Response &res);

    // Set on a response whose connection was dropped, for the request log only.
    static constexpr const char *droppedMarker = "X-Refservice-Dropped";

private:
    FaultKind draw();
    static void answerGarbage(httplib::Response &res, std::uint32_t seed);
    static bool dropConnection(const httplib::Request &req);

    int m_latencyMs;
    int m_rate;
    FaultKind m_kind;
    int m_slowMs;
    std::mutex m_mutex;
    std::mt19937 m_random;
};

} // namespace refservice
