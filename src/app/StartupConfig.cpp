#include "app/StartupConfig.h"

#include "app/AppSession.h"
#include "app/PatchableSlots.h"
#include "app/ProgramPaths.h"
#include "data/Gbk.h"
#include "platform/DeviceKey.h"

#include <future>
#include <system_error>

namespace cloud {

namespace {

std::future<std::string> startFetch(const FetchFunction &fetch, std::string url)
{
    auto request = [&fetch, url = std::move(url)]() -> std::string {
        if (!fetch)
            return {};
        try {
            return fetch(url);
        } catch (...) {
            // A request that fails in any way reads as no reply.
            return {};
        }
    };
    try {
        return std::async(std::launch::async, request);
    } catch (const std::system_error &) {
        // No thread to be had: the request runs when its reply is wanted.
        return std::async(std::launch::deferred, request);
    }
}

} // namespace

StartupInputs systemStartupInputs(FetchFunction fetch, IniWriter writeIni)
{
    return {slotHost(),       slotVersion(),       programDirectory(), documentsDirectory(),
            std::move(fetch), std::move(writeIni), computeDeviceKey};
}

StartupConfig::StartupConfig(StartupInputs inputs) : m_inputs(std::move(inputs))
{}

StartupOutcome StartupConfig::run(AppSession &session) const
{
    const std::string baseUrl = "http://" + m_inputs.apiHost;
    const std::string clientInfoUrl = baseUrl + "/khd?act=";
    session.setApiHost(m_inputs.apiHost);
    session.setLocalVersion(m_inputs.localVersion);
    session.setBaseUrl(baseUrl);
    session.setClientInfoUrl(clientInfoUrl);

    const FetchFunction &fetch = m_inputs.fetch;
    auto version = startFetch(fetch, clientInfoUrl + "ver");
    auto logo = startFetch(fetch, baseUrl + "/img/logo.png");
    auto vx = startFetch(fetch, baseUrl + "/img/vx.png");
    auto vx2 = startFetch(fetch, baseUrl + "/img/vx2.png");
    auto title = startFetch(fetch, clientInfoUrl + "biaoti");
    auto help = startFetch(fetch, clientInfoUrl + "help");

    StartupOutcome outcome;
    outcome.versionReply = gbkTextToUtf8(version.get());
    session.setServerVersion("Ver " + outcome.versionReply);
    session.setLogoImage(logo.get());
    session.setVxImage(vx.get());
    session.setVx2Image(vx2.get());
    const std::string titleText = gbkTextToUtf8(title.get());
    session.setTitleText(titleText);
    session.setHelpText(gbkTextToUtf8(help.get()));

    session.setAccountIniPath(accountIniPathFor(m_inputs.documentsDir, titleText));
    if (m_inputs.writeIni)
        m_inputs.writeIni(updateConfigPath(m_inputs.programDir), "更新", "API地址", clientInfoUrl);
    session.setDeviceKey(m_inputs.deviceKey ? m_inputs.deviceKey() : computeDeviceKey());

    outcome.decision =
        versionDecision(outcome.versionReply, session.serverVersion(), session.localVersion());
    return outcome;
}

} // namespace cloud
