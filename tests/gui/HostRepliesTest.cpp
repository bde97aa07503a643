#include "hosts/HostReplies.h"
#include "hosts/HostRequests.h"

#include <gtest/gtest.h>

using namespace cloud;
using Kind = HostNotice::Kind;

TEST(HostReplies, RestartSucceedsOnlyOnTheNumber200)
{
    EXPECT_EQ(HostReplies::restartNotice(R"({"status":200,"msg":"ok"})"),
              (HostNotice{Kind::Skinned, "提示", "操作成功，请耐心等待"}));
    // The JSON text of a string keeps its quotes, so "200" is not 200.
    const std::string quoted = R"({"status":"200"})";
    EXPECT_EQ(HostReplies::restartNotice(quoted), (HostNotice{Kind::Skinned, "错误", quoted}));
    EXPECT_EQ(HostReplies::restartNotice(""), (HostNotice{Kind::Skinned, "错误", ""}));
    EXPECT_EQ(HostReplies::restartNotice("<html>502</html>"),
              (HostNotice{Kind::Skinned, "错误", "<html>502</html>"}));
}

TEST(HostReplies, CodesOfTheFormOperations)
{
    struct Case
    {
        HostNotice (*judge)(std::string_view);
        std::string reply;
        HostNotice expected;
    };
    const Case cases[] = {
        {HostReplies::installNotice, "1000", {Kind::Skinned, "提示", "重置成功，请耐心等待"}},
        {HostReplies::installNotice, "1000\r\n", {Kind::Skinned, "错误", "重置失败"}},
        {HostReplies::installNotice, "", {Kind::Skinned, "错误", "重置失败"}},
        {HostReplies::passwordNotice, "1000", {}},
        {HostReplies::passwordNotice, "1001", {Kind::Skinned, "错误", "密码设置失败请联系客服"}},
        {HostReplies::passwordNotice,
         "1002",
         {Kind::Skinned, "错误", "密码格式错误，请输入6-20位之间的数字与字母"}},
        {HostReplies::passwordNotice,
         "1003",
         {Kind::Skinned, "错误", "密码强度过低，请不要输入连号数字"}},
        {HostReplies::passwordNotice, "1004", {}},
        {HostReplies::passwordNotice, "", {}},
        {HostReplies::remarkNotice, "1000", {Kind::Message, "", "设置成功"}},
        {HostReplies::remarkNotice, "1002", {Kind::Message, "", "字符非法"}},
        {HostReplies::remarkNotice, "1001", {Kind::Message, "", "设置失败"}},
        {HostReplies::remarkNotice, "", {Kind::Message, "", "设置失败"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.judge(c.reply), c.expected) << c.reply;
    EXPECT_TRUE(HostReplies::passwordAccepted("1000"));
    EXPECT_FALSE(HostReplies::passwordAccepted(" 1000"));
}

TEST(HostReplies, RefundTextIsWhatFollowsTheLastErrorMarker)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<p>错误：该主机已申请</p>错误：已超过退款期限", "已超过退款期限"},
        {"错误：", ""},
        {"<script>alert('ok')</script>", "申请成功，请等待客服审核"},
        {"", ""},
        // The ASCII colon is not the marker.
        {"错误:余额不足", "申请成功，请等待客服审核"},
    };
    for (const auto &[reply, text] : cases) {
        EXPECT_EQ(HostReplies::refundNotice(reply),
                  (HostNotice{Kind::SelfClosing, "友情提醒", text}))
            << reply;
    }
}

TEST(HostRequests, OsListReadsCountEntriesButNoMoreThanTheReplyHolds)
{
    const std::string two = R"({"count":2,"data":[{"osid":7,"osname":"Windows Server 2019"},)"
                            R"({"osid":"9","osname":"Ubuntu 22.04"}]})";
    const auto systems = HostRequests::parseOsList(two);
    ASSERT_EQ(systems.size(), 2u);
    EXPECT_EQ(systems[0].id, "7");
    EXPECT_EQ(systems[0].name, "Windows Server 2019");
    EXPECT_EQ(systems[1].id, "9");

    EXPECT_TRUE(
        HostRequests::parseOsList(R"({"count":0,"data":[{"osid":1,"osname":"x"}]})").empty());
    EXPECT_EQ(HostRequests::parseOsList(R"({"count":1,"data":[{"osid":1},{"osid":2}]})").size(),
              1u);
    // A count beyond the data array (even an absurd one) stops at the array's end.
    EXPECT_EQ(HostRequests::parseOsList(R"({"count":9000000000000,"data":[{"osid":1}]})").size(),
              1u);
    EXPECT_TRUE(HostRequests::parseOsList(R"({"count":"2","data":[{"osid":1}]})").empty());
    EXPECT_TRUE(HostRequests::parseOsList("<html>").empty());
    EXPECT_TRUE(HostRequests::parseOsList("").empty());
}
