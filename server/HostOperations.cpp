#include "HostOperations.h"

#include "Database.h"
#include "HostState.h"
#include "PasswordRules.h"
#include "ServiceClock.h"

#include "data/TextUtil.h"

namespace refservice {

namespace {

std::size_t utf8Characters(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

HostOperations::HostOperations(Database &db, ServiceClock &clock)
    : m_db(db), m_clock(clock), m_hosts(db, clock)
{}

HostOperations::Status HostOperations::restart(std::int64_t accountId, std::string_view idText,
                                               std::string_view action)
{
    if (action != "reset")
        return {400, "不支持的操作"};
    Status result{404, "主机不存在"};
    // The state is judged and changed in one transaction, so two restarts cannot both pass.
    m_db.transaction([&] {
        const auto host = m_hosts.owned(accountId, idText);
        if (!host)
            return true;
        const HostState state = HostState::of(*host, m_clock.nowText());
        if (state.refunded)
            result = {400, "主机已退款，无法重启"};
        else if (state.expired)
            result = {400, "主机已到期，请续费后再重启"};
        else if (state.busy())
            result = {400, "主机" + state.zt + "，请稍后再试"};
        else if (m_db.modify("UPDATE hosts SET status = '运行中', zt = '重启中', zt_until = ? "
                             "WHERE id = ?",
                             {m_clock.nowText(restartTime), host->integer("id")}) == 1)
            result = {200, "重启指令已发送，主机将在" + std::to_string(restartTime.count()) +
                               "秒后恢复运行"};
        else
            result = {500, "重启失败，请联系客服"};
        return true;
    });
    return result;
}

std::string HostOperations::reinstall(std::int64_t accountId, std::string_view idText,
                                      std::string_view osIdText)
{
    std::string code = "1001";
    m_db.transaction([&] {
        const auto host = m_hosts.owned(accountId, idText);
        if (!host)
            return true;
        const auto image =
            m_db.queryOne("SELECT name FROM os_images WHERE id = ? AND product_id = ?",
                          {HostStore::parseId(osIdText), host->integer("product_id")});
        if (!HostState::of(*host, m_clock.nowText()).acceptsOperations())
            code = "1003";
        else if (!image)
            code = "1002";
        else if (m_db.modify("UPDATE hosts SET os = ?, status = '运行中', zt = '重装中', "
                             "zt_until = ? WHERE id = ?",
                             {image->text("name"), m_clock.nowText(reinstallTime),
                              host->integer("id")}) == 1)
            code = "1000";
        return true;
    });
    return code;
}

std::string HostOperations::changePassword(std::int64_t accountId, std::string_view idText,
                                           std::string_view password)
{
    const auto host = m_hosts.owned(accountId, idText);
    if (!host || !HostState::of(*host, m_clock.nowText()).acceptsOperations())
        return "1001";
    if (!PasswordRules::isStrong(password))
        return "1002";
    if (PasswordRules::hasDigitRun(password))
        return "1003";
    const int changed = m_db.modify("UPDATE hosts SET password = ? WHERE id = ?",
                                    {std::string(password), host->integer("id")});
    return changed == 1 ? "1000" : "1001";
}

bool HostOperations::isAcceptableRemark(std::string_view remark)
{
    for (const char c : remark) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '<' || c == '>' || c == '\'' || c == '"' ||
            c == '\\')
            return false;
    }
    return cloud::findNoCase(remark, "VPStypeID") == std::string_view::npos;
}

std::string HostOperations::setRemark(std::int64_t accountId, std::string_view idText,
                                      std::string_view remark)
{
    const auto host = m_hosts.owned(accountId, idText);
    if (!host)
        return "1003";
    if (!isAcceptableRemark(remark))
        return "1002";
    if (utf8Characters(remark) > maxRemarkCharacters)
        return "1004";
    const int changed = m_db.modify("UPDATE hosts SET remark = ? WHERE id = ?",
                                    {std::string(remark), host->integer("id")});
    return changed == 1 ? "1000" : "1003";
}

} // namespace refservice
