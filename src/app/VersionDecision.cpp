#include "app/VersionDecision.h"

namespace cloud {

VersionDecision versionDecision(std::string_view replyText, std::string_view serverVersion,
                                std::string_view localVersion)
{
    if (replyText.empty())
        return VersionDecision::NoNetwork;
    if (serverVersion != localVersion)
        return VersionDecision::NewVersion;
    return VersionDecision::Continue;
}

std::string_view versionDecisionMessage(VersionDecision decision)
{
    switch (decision) {
    case VersionDecision::NoNetwork:
        return kNoNetworkMessage;
    case VersionDecision::NewVersion:
        return kNewVersionMessage;
    case VersionDecision::Continue:
        break;
    }
    return {};
}

} // namespace cloud
