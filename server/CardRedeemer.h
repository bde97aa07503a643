#pragma once

#include <cstdint>
#include <string>

namespace refservice {

struct ServiceContext;

// Redeems prepaid cards. A card credits its value once, to the first account that names its
// number and secret; afterwards it is answered like an unknown card, the one refusal the
// client tells its user about (any other text reads there as a failure worth retrying). The
// account must have passed the real-name verification, as for every use of the card page.
// Failed attempts are logged per account: after `maxFailures` within `failureWindowSeconds`
// the account is refused until the oldest of them leaves the window, which makes guessing
// secrets useless.
class CardRedeemer
{
public:
    static constexpr const char *successText = "充值成功";
    static constexpr const char *wrongCardText = "卡号或卡密错误";
    static constexpr const char *unverifiedText = "请先完成实名认证";
    static constexpr const char *tooManyText = "尝试次数过多，请10分钟后再试";
    static constexpr const char *failedText = "充值失败，请稍后再试";
    static constexpr int maxFailures = 10;
    static constexpr int failureWindowSeconds = 600;

    explicit CardRedeemer(ServiceContext &context) : m_context(context) {}

    // The reply for the client: one of the texts above.
    std::string redeem(std::int64_t accountId, const std::string &number,
                       const std::string &secret);

private:
    enum class Outcome { Credited, WrongCard, Failed };

    Outcome tryRedeem(std::int64_t accountId, const std::string &number, const std::string &secret,
                      const std::string &now);
    bool verified(std::int64_t accountId);
    int recentFailures(std::int64_t accountId);
    void recordFailure(std::int64_t accountId);

    ServiceContext &m_context;
};

} // namespace refservice
