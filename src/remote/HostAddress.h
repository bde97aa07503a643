#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cloud {

// A host's remote address split into host and port.
struct HostAddress
{
    std::string host;
    std::string port;

    // "host:port" gives both texts as they stand; a text without ":" is the host with
    // port "3389"; more than one ":" is no usable address.
    static std::optional<HostAddress> split(std::string_view address);
};

} // namespace cloud
