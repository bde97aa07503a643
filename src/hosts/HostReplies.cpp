#include "hosts/HostReplies.h"

#include "api/ApiReply.h"
#include "api/Endpoints.h"
#include "data/JsonDoc.h"
#include "data/TextUtil.h"

#include <span>

namespace cloud::HostReplies {

namespace {

using Kind = HostNotice::Kind;

struct CodeNotice
{
    std::string_view code;
    Kind kind;
    std::string_view title;
    std::string_view text;
};

// Password change: the service checks length, characters and sequences and answers
// with one of these codes.
constexpr CodeNotice kPasswordReplies[] = {
    {"1000", Kind::None, "", ""},
    {"1001", Kind::Skinned, "错误", "密码设置失败请联系客服"},
    {"1002", Kind::Skinned, "错误", "密码格式错误，请输入6-20位之间的数字与字母"},
    {"1003", Kind::Skinned, "错误", "密码强度过低，请不要输入连号数字"},
};
constexpr CodeNotice kPasswordOther{"", Kind::None, "", ""};

constexpr CodeNotice kRemarkReplies[] = {
    {"1000", Kind::Message, "", "设置成功"},
    {"1002", Kind::Message, "", "字符非法"},
};
constexpr CodeNotice kRemarkOther{"", Kind::Message, "", "设置失败"};

constexpr CodeNotice kInstallReplies[] = {
    {"1000", Kind::Skinned, "提示", "重置成功，请耐心等待"},
};
constexpr CodeNotice kInstallOther{"", Kind::Skinned, "错误", "重置失败"};

HostNotice notice(Kind kind, std::string_view title, std::string_view text)
{
    return {kind, std::string(title), std::string(text)};
}

HostNotice judge(std::string_view reply, std::span<const CodeNotice> table, const CodeNotice &other)
{
    for (const CodeNotice &row : table) {
        if (ApiReply::isCode(reply, row.code))
            return notice(row.kind, row.title, row.text);
    }
    return notice(other.kind, other.title, other.text);
}

} // namespace

HostNotice restartNotice(std::string_view reply)
{
    JsonDoc doc;
    doc.parse(reply);
    if (ApiReply::statusSucceeded(doc))
        return notice(Kind::Skinned, "提示", "操作成功，请耐心等待");
    return notice(Kind::Skinned, "错误", reply);
}

HostNotice installNotice(std::string_view reply)
{
    return judge(reply, kInstallReplies, kInstallOther);
}

HostNotice installWithoutSystemNotice()
{
    return notice(Kind::Message, "", "安装失败");
}

HostNotice passwordNotice(std::string_view reply)
{
    return judge(reply, kPasswordReplies, kPasswordOther);
}

bool passwordAccepted(std::string_view reply)
{
    return ApiReply::isCode(reply, api::kCodeSuccess);
}

HostNotice passwordMismatchNotice()
{
    return notice(Kind::Skinned, "错误", "两次密码不一致");
}

HostNotice remarkNotice(std::string_view reply)
{
    return judge(reply, kRemarkReplies, kRemarkOther);
}

HostNotice refundNotice(std::string_view reply)
{
    constexpr std::string_view marker = "错误：";
    std::string text;
    if (reply.find(marker) != std::string_view::npos)
        text = textAfter(reply, marker);
    else if (!reply.empty())
        text = "申请成功，请等待客服审核";
    return notice(Kind::SelfClosing, "友情提醒", text);
}

} // namespace cloud::HostReplies
