#pragma once

#include "HostStore.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace refservice {

class Database;
class ServiceClock;

// The changes an account makes to its own hosts. A host of another account is treated as
// one that does not exist. Restart and reinstall leave a transitional state that the host
// list shows for a while ("重启中", "重装中") before the host is "运行中" again.
class HostOperations
{
public:
    static constexpr std::chrono::seconds restartTime{20};
    // The reinstall window tells the user that a reinstall takes five minutes.
    static constexpr std::chrono::seconds reinstallTime{300};
    static constexpr std::size_t maxRemarkCharacters = 50;

    struct Status
    {
        int status = 0; // 200 done, 400 refused, 404 no such host
        std::string message;
    };

    HostOperations(Database &db, ServiceClock &clock);

    // The restart (`cz` "reset"): refused for a refunded, expired or busy host.
    Status restart(std::int64_t accountId, std::string_view idText, std::string_view action);
    // "1000" done; "1001" no such host; "1003" the host is refunded, expired or busy;
    // "1002" the system is not offered for the host's product.
    std::string reinstall(std::int64_t accountId, std::string_view idText,
                          std::string_view osIdText);
    // "1000" done; "1001" no such host, or one that is refunded, expired or busy (the client
    // tells the user to ask the service); "1002" not 6 to 20 letters and digits with at
    // least one of each; "1003" six consecutive digits counting up or down.
    std::string changePassword(std::int64_t accountId, std::string_view idText,
                               std::string_view password);
    // "1000" done; "1003" no such host; "1002" a character the remark may not hold;
    // "1004" longer than maxRemarkCharacters.
    std::string setRemark(std::int64_t accountId, std::string_view idText, std::string_view remark);

    // Markup and quoting characters, control characters, and the list's row marker
    // "VPStypeID" (the client counts the rows of a list page by it) are refused.
    static bool isAcceptableRemark(std::string_view remark);

private:
    Database &m_db;
    ServiceClock &m_clock;
    HostStore m_hosts;
};

} // namespace refservice
