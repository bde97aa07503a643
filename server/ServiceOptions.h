#pragma once

#include <string>
#include <vector>

namespace refservice {

// What a request suffers when the fault injection picks it.
enum class FaultKind {
    None,
    Slow,        // answered normally after `slowMs`
    Drop,        // the connection is closed without any reply
    ServerError, // HTTP 500 with a short page
    Garbage,     // HTTP 200 with random bytes
};

// Command-line options of the reference service.
struct ServiceOptions
{
    std::string listenHost = "127.0.0.1";
    int listenPort = 8360; // 0 binds any free port (the tests use it)
    std::string dbPath = "refservice.db";
    int latencyMs = 0; // added to every request before it is handled
    int faultRate = 0; // percent of requests that get `fault`
    FaultKind fault = FaultKind::None;
    int slowMs = 5000; // how long a "slow" fault holds a request
    bool maintenance = false;
    bool quiet = false; // no request log on stderr

    // Parses the arguments after the program name. `error` receives the reason when the
    // arguments are not usable; `help` is set when --help was asked for.
    static bool parse(const std::vector<std::string> &args, ServiceOptions &options,
                      std::string &error, bool &help);
    static std::string usage();
};

} // namespace refservice
