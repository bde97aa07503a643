#pragma once

#include <string>

namespace refservice {

// Command-line options of the reference service.
struct ServiceOptions
{
    std::string listenHost = "127.0.0.1";
    int listenPort = 8360;
    std::string dbPath = "refservice.db";
};

} // namespace refservice
