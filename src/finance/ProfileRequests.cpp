#include "finance/ProfileRequests.h"

#include "api/ApiClient.h"
#include "api/Endpoints.h"
#include "finance/ProfileReply.h"
#include "finance/UserProfile.h"

namespace cloud {

std::string loadUserName()
{
    return ProfileReply::userName(ApiClient::fromSession().getText(api::kUserName));
}

std::optional<std::string> loadUserProfile()
{
    auto profile = ProfileReply::profile(ApiClient::fromSession().getText(api::kUserInfo));
    if (!profile)
        return std::nullopt;
    UserProfile::instance().applyProfile(std::move(profile->balance), std::move(profile->mobile),
                                         std::move(profile->qq), std::move(profile->email));
    return std::move(profile->realName);
}

} // namespace cloud
