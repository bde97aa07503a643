#pragma once

#include "ServiceClock.h"

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
    ServiceClock &clock;
};

} // namespace refservice
