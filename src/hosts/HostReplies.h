#pragma once

#include <string>
#include <string_view>

namespace cloud {

// What the user is told after a host operation.
struct HostNotice
{
    enum class Kind {
        None,       // nothing is shown
        Message,    // the plain box titled "信息："
        Skinned,    // the skinned box with `title`
        SelfClosing // the box titled `title` that closes itself
    };
    Kind kind = Kind::None;
    std::string title;
    std::string text;

    bool operator==(const HostNotice &) const = default;
};

// How the replies of the host operations are judged.
namespace HostReplies {

// The self-closing refund box stays this long unless the user closes it first.
inline constexpr int kRefundNoticeMs = 5000;

// Restart: the JSON number 200 in `status` is success; anything else shows the reply.
HostNotice restartNotice(std::string_view reply);
// Reinstall: "1000" is success.
HostNotice installNotice(std::string_view reply);
// Reinstall refused before any request, when no system is chosen.
HostNotice installWithoutSystemNotice();
// Password change: "1000" is success and shows nothing, as does an unknown reply.
HostNotice passwordNotice(std::string_view reply);
bool passwordAccepted(std::string_view reply);
// Password change refused before any request.
HostNotice passwordMismatchNotice();
// Remark: every reply gets a message.
HostNotice remarkNotice(std::string_view reply);
// Refund: the service's own error text after the last "错误：", else the standard reply.
HostNotice refundNotice(std::string_view reply);

} // namespace HostReplies

} // namespace cloud
