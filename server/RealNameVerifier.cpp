#include "RealNameVerifier.h"

#include "Database.h"
#include "IdentityNumber.h"
#include "ScriptUnescape.h"

#include "data/TextUtil.h"

namespace refservice {

namespace {

bool acceptableAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ' || c == '.' || c == '-' ||
           c == '\'';
}

// Counts characters and refuses the unwanted ones. The text is valid UTF-8 (it comes out of
// the decoder), so lead bytes can be counted; C1 controls are U+0080..U+009F,
// "\xC2\x80".."\xC2\x9F".
int nameLength(const std::string &name)
{
    int length = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c < 0x80 && !acceptableAscii(c))
            return -1;
        if (c == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) < 0xA0)
            return -1;
        if ((c & 0xC0) != 0x80)
            ++length;
    }
    return length;
}

} // namespace

std::string RealNameVerifier::legalName(const std::string &escapedName)
{
    const auto decoded = ScriptUnescape::decode(escapedName);
    if (!decoded)
        return {};
    const std::string name = cloud::trimmed(*decoded);
    const int length = nameLength(name);
    return length >= 2 && length <= 30 ? name : std::string();
}

std::string RealNameVerifier::verify(std::int64_t accountId, const std::string &escapedName,
                                     const std::string &idNumber, const std::string &mobile)
{
    const auto account =
        m_db.queryOne("SELECT mobile, verified FROM accounts WHERE id = ?1", {accountId});
    if (!account || account->integer("verified") != 0)
        return alreadyCode;
    const std::string name = legalName(escapedName);
    if (name.empty())
        return badNameCode;
    const std::string number = cloud::trimmed(idNumber);
    if (!IdentityNumber::isValid(number))
        return badNumberCode;
    if (cloud::trimmed(mobile) != account->text("mobile"))
        return wrongMobileCode;
    // The condition keeps two verifications sent at once from both passing.
    const int changed = m_db.modify("UPDATE accounts SET verified = 1, legal_name = ?2, "
                                    "id_number = ?3 WHERE id = ?1 AND verified = 0",
                                    {accountId, name, IdentityNumber::normalised(number)});
    if (changed < 0)
        return failedCode;
    return changed == 1 ? verifiedCode : alreadyCode;
}

} // namespace refservice
