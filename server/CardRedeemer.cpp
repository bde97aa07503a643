#include "CardRedeemer.h"

#include "Database.h"
#include "Ledger.h"
#include "LocalTime.h"
#include "ServiceContext.h"

#include "data/TextUtil.h"

namespace refservice {

namespace {

// Takes as long for a wrong first character as for a wrong last one.
bool sameSecret(const std::string &a, const std::string &b)
{
    unsigned char difference = a.size() == b.size() ? 0 : 1;
    const std::size_t length = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
        const unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
        difference |= x ^ y;
    }
    return difference == 0;
}

} // namespace

std::string CardRedeemer::redeem(std::int64_t accountId, const std::string &number,
                                 const std::string &secret)
{
    if (!verified(accountId))
        return unverifiedText;
    if (recentFailures(accountId) >= maxFailures)
        return tooManyText;
    const std::string now = LocalTime::fromEpoch(m_context.clock()).text();
    // Users copy cards from messages; blanks around them are no part of the card.
    const std::string cardNumber = cloud::trimmed(number);
    const std::string cardSecret = cloud::trimmed(secret);
    Outcome outcome = Outcome::Failed;
    const bool committed = m_context.db.transaction([&] {
        outcome = tryRedeem(accountId, cardNumber, cardSecret, now);
        return outcome == Outcome::Credited;
    });
    if (outcome == Outcome::Credited)
        return committed ? successText : failedText;
    if (outcome == Outcome::Failed)
        return failedText;
    recordFailure(accountId);
    return wrongCardText;
}

CardRedeemer::Outcome CardRedeemer::tryRedeem(std::int64_t accountId, const std::string &number,
                                              const std::string &secret, const std::string &now)
{
    Database &db = m_context.db;
    const auto card = db.queryOne(
        "SELECT id, secret, amount_cents, used_by FROM prepaid_cards WHERE number = ?1", {number});
    // A used card is no card any more.
    if (!card || !sameSecret(card->text("secret"), secret) || !card->isNull("used_by"))
        return Outcome::WrongCard;
    const int taken = db.modify("UPDATE prepaid_cards SET used_by = ?2, used_time = ?3 "
                                "WHERE id = ?1 AND used_by IS NULL",
                                {card->integer("id"), accountId, now});
    if (taken != 1)
        return taken == 0 ? Outcome::WrongCard : Outcome::Failed;
    return Ledger(db).credit(accountId, card->integer("amount_cents"), "充值",
                             "充值卡充值 " + number, now)
               ? Outcome::Credited
               : Outcome::Failed;
}

bool CardRedeemer::verified(std::int64_t accountId)
{
    const auto row =
        m_context.db.queryOne("SELECT verified FROM accounts WHERE id = ?1", {accountId});
    return row && row->integer("verified") == 1;
}

int CardRedeemer::recentFailures(std::int64_t accountId)
{
    const std::string since = LocalTime::fromEpoch(m_context.clock() - failureWindowSeconds).text();
    const auto row = m_context.db.queryOne(
        "SELECT COUNT(*) AS n FROM card_failures WHERE account_id = ?1 AND time > ?2",
        {accountId, since});
    return row ? static_cast<int>(row->integer("n")) : 0;
}

void CardRedeemer::recordFailure(std::int64_t accountId)
{
    const std::time_t now = m_context.clock();
    const std::string since = LocalTime::fromEpoch(now - failureWindowSeconds).text();
    // Entries that left the window count no more; dropping them keeps the log small.
    m_context.db.modify("DELETE FROM card_failures WHERE account_id = ?1 AND time <= ?2",
                        {accountId, since});
    m_context.db.insert("INSERT INTO card_failures(account_id, time) VALUES(?1, ?2)",
                        {accountId, LocalTime::fromEpoch(now).text()});
}

} // namespace refservice
