#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cloud {

class UserProfile;

// How the user-name and profile replies are read. A reply that is not JSON (an empty one
// included: no connection) carries no values at all; it never turns into field values.
namespace ProfileReply {

// `data.username`; empty when the reply has none or is not JSON.
std::string userName(std::string_view reply);

// The values of a profile reply (`/user/userinfo`).
struct Profile
{
    std::string realName; // `data.truename` when `data.VerificationResult` is 1, else "未实名"
    std::string balance;  // `data.usermoney` + "元"
    std::string mobile;
    std::string qq;
    std::string email;
};
// Nothing when the reply is not JSON.
std::optional<Profile> profile(std::string_view reply);

} // namespace ProfileReply

} // namespace cloud
