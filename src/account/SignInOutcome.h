#pragma once

#include <string>
#include <string_view>

namespace cloud {

// How a sign-in reply is shown on the sign-in button. The manual and the automatic
// sign-in share the table; only the caption of "1001" (wrong account or password)
// differs between them, so each flow passes its own.
struct SignInOutcome
{
    enum class Kind {
        Success, // signed in
        Failure, // a known refusal or no reply: a failure caption for about a second
        Unknown  // any other reply: straight back to idle, no caption
    };

    Kind kind = Kind::Unknown;
    std::string caption;

    // The reply is compared whole: "1000" followed by a line break is not "1000".
    static SignInOutcome judge(std::string_view reply, std::string_view wrongAccountCaption);
};

inline constexpr std::string_view kSignInIdleCaption = "登录";
inline constexpr std::string_view kSignInBusyCaption = "    正在登录中";

} // namespace cloud
