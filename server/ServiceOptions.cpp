#include "ServiceOptions.h"

#include <charconv>
#include <functional>
#include <map>

namespace refservice {

namespace {

bool parseInt(const std::string &text, int low, int high, int &value)
{
    int parsed = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (ec != std::errc() || ptr != end || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

// "HOST:PORT", where HOST may be a bracketed IPv6 address.
bool parseListen(const std::string &text, ServiceOptions &options)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    std::string host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    int port = 0;
    if (!parseInt(text.substr(colon + 1), 0, 65535, port))
        return false;
    options.listenHost = host;
    options.listenPort = port;
    return true;
}

bool parseFault(const std::string &text, FaultKind &kind)
{
    static const std::map<std::string, FaultKind> kinds = {{"slow", FaultKind::Slow},
                                                           {"drop", FaultKind::Drop},
                                                           {"500", FaultKind::ServerError},
                                                           {"garbage", FaultKind::Garbage}};
    const auto it = kinds.find(text);
    if (it == kinds.end())
        return false;
    kind = it->second;
    return true;
}

using ValueSetter = std::function<bool(const std::string &, ServiceOptions &)>;

const std::map<std::string, ValueSetter> &valueOptions()
{
    static const std::map<std::string, ValueSetter> setters = {
        {"--listen", parseListen},
        {"--db",
         [](const std::string &v, ServiceOptions &o) {
             o.dbPath = v;
             return !v.empty();
         }},
        {"--latency", [](const std::string &v,
                         ServiceOptions &o) { return parseInt(v, 0, 600000, o.latencyMs); }},
        {"--fault-rate",
         [](const std::string &v, ServiceOptions &o) { return parseInt(v, 0, 100, o.faultRate); }},
        {"--fault", [](const std::string &v, ServiceOptions &o) { return parseFault(v, o.fault); }},
        {"--slow-ms",
         [](const std::string &v, ServiceOptions &o) { return parseInt(v, 0, 600000, o.slowMs); }},
    };
    return setters;
}

bool applyFlag(const std::string &arg, ServiceOptions &options, bool &help)
{
    if (arg == "--help" || arg == "-h")
        help = true;
    else if (arg == "--maintenance")
        options.maintenance = true;
    else if (arg == "--quiet")
        options.quiet = true;
    else
        return false;
    return true;
}

} // namespace

bool ServiceOptions::parse(const std::vector<std::string> &args, ServiceOptions &options,
                           std::string &error, bool &help)
{
    help = false;
    bool rateGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool inlineValue = false;
        if (const std::size_t eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            inlineValue = true;
        }
        if (!inlineValue && applyFlag(name, options, help))
            continue;
        const auto it = valueOptions().find(name);
        if (it == valueOptions().end()) {
            error = "unknown option: " + args[i];
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error = "missing value for " + name;
                return false;
            }
            value = args[++i];
        }
        if (!it->second(value, options)) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
        rateGiven = rateGiven || name == "--fault-rate";
    }
    if (rateGiven && options.faultRate > 0 && options.fault == FaultKind::None) {
        error = "--fault-rate needs --fault KIND";
        return false;
    }
    // A fault kind on its own hits every request.
    if (!rateGiven && options.fault != FaultKind::None)
        options.faultRate = 100;
    return true;
}

std::string ServiceOptions::usage()
{
    return "usage: refservice [options]\n"
           "  --listen HOST:PORT  address to listen on (default 127.0.0.1:8360; port 0 = any)\n"
           "  --db PATH           SQLite file, created and seeded when missing "
           "(default refservice.db)\n"
           "  --latency MS        delay added to every request (default 0)\n"
           "  --fault KIND        inject faults: slow | drop | 500 | garbage\n"
           "  --fault-rate N      percent of requests that get the fault "
           "(default 100 with --fault)\n"
           "  --slow-ms MS        how long a slow fault holds a request (default 5000)\n"
           "  --maintenance       sign-in answers \"500\" (service under maintenance)\n"
           "  --quiet             no request log on stderr\n"
           "  --help              this text\n";
}

} // namespace refservice
