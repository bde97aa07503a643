#include "SmsCodes.h"

#include "Database.h"
#include "RandomText.h"
#include "ServiceClock.h"

#include <cstdio>

namespace refservice {

bool SmsCodes::mayIssue(std::string_view mobile, std::string_view purpose)
{
    const auto recent = m_db.queryOne(
        "SELECT COUNT(*) AS n FROM sms_codes WHERE mobile = ? AND purpose = ? AND created > ?",
        {std::string(mobile), std::string(purpose), m_clock.nowText(-resendPause)});
    return recent && recent->integer("n") == 0;
}

std::string SmsCodes::issue(std::string_view mobile, std::string_view purpose)
{
    const std::string code = RandomText::digits(6);
    const std::int64_t id = m_db.insert(
        "INSERT INTO sms_codes(mobile, code, purpose, created, expires) VALUES(?, ?, ?, ?, ?)",
        {std::string(mobile), code, std::string(purpose), m_clock.nowText(),
         m_clock.nowText(validity)});
    if (id == 0)
        return {};
    std::fprintf(stderr, "refservice: SMS to %.*s: 验证码 %s，%d分钟内有效。\n",
                 static_cast<int>(mobile.size()), mobile.data(), code.c_str(),
                 static_cast<int>(validity.count()));
    return code;
}

SmsCodes::Check SmsCodes::use(std::string_view mobile, std::string_view purpose,
                              std::string_view code)
{
    Check result = Check::Wrong;
    m_db.transaction([&] {
        // Only the latest code counts: asking for a new one retires the ones before it.
        const auto latest = m_db.queryOne(
            "SELECT id, code, expires, attempts, used FROM sms_codes WHERE mobile = ? AND "
            "purpose = ? ORDER BY id DESC LIMIT 1",
            {std::string(mobile), std::string(purpose)});
        if (!latest) {
            result = Check::NoCode;
            return true;
        }
        if (latest->integer("used") != 0)
            return true;
        const std::int64_t id = latest->integer("id");
        if (latest->text("code") != code) {
            const bool spent = latest->integer("attempts") + 1 >= maxTries;
            return m_db.modify(
                       "UPDATE sms_codes SET attempts = attempts + 1, used = ? WHERE id = ?",
                       {std::int64_t{spent ? 1 : 0}, id}) == 1;
        }
        if (latest->text("expires") < m_clock.nowText()) {
            result = Check::Expired;
            return true;
        }
        if (m_db.modify("UPDATE sms_codes SET used = 1 WHERE id = ?", {id}) != 1)
            return false;
        result = Check::Valid;
        return true;
    });
    return result;
}

} // namespace refservice
