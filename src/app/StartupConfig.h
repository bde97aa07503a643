#pragma once

#include "app/VersionDecision.h"

#include <functional>
#include <string>

namespace cloud {

class AppSession;

// One GET request: the reply body, empty when the request failed. Called from
// several threads at once.
using FetchFunction = std::function<std::string(const std::string &url)>;
// Writes one key of an INI file (path, section, key, value; all UTF-8).
using IniWriter = std::function<void(const std::string &path, const std::string &section,
                                     const std::string &key, const std::string &value)>;

struct StartupInputs
{
    std::string apiHost;      // host of the service API, e.g. slotHost()
    std::string localVersion; // this build's label, e.g. slotVersion()
    std::string programDir;
    std::string documentsDir;
    FetchFunction fetch;
    IniWriter writeIni;
    std::function<std::string()> deviceKey; // empty: computeDeviceKey()
};

// The inputs of this process: the patchable slots, the program and Documents
// directories and the machine's device key, with the given request and INI writer.
StartupInputs systemStartupInputs(FetchFunction fetch, IniWriter writeIni);

struct StartupOutcome
{
    std::string versionReply; // the version query's reply as text
    VersionDecision decision = VersionDecision::NoNetwork;
};

// Everything the client learns before anybody signs in: the service's address and
// version, its images, title and help text, the account settings path and the
// device key. It also records the client-information address for the updater.
class StartupConfig
{
public:
    explicit StartupConfig(StartupInputs inputs);

    // Fills the start-up fields of `session`. The six client-information requests
    // run at the same time; a failed one leaves its field empty.
    StartupOutcome run(AppSession &session) const;

private:
    StartupInputs m_inputs;
};

} // namespace cloud
