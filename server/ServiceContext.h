#pragma once

#include <ctime>
#include <functional>

namespace refservice {

class Database;
class SessionStore;
struct ServiceOptions;

// What the route handlers of every area share. Owned by ServiceApp; outlives the handlers.
struct ServiceContext
{
    const ServiceOptions &options;
    Database &db;
    SessionStore &sessions;
    // The service's idea of now. Rental periods, money records and payment orders take their
    // times from it, so tests can set the calendar.
    std::function<std::time_t()> clock;
};

} // namespace refservice
