#include "remote/HostAddress.h"

namespace cloud {

std::optional<HostAddress> HostAddress::split(std::string_view address)
{
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos)
        return HostAddress{std::string(address), "3389"};
    if (address.find(':', colon + 1) != std::string_view::npos)
        return std::nullopt;
    return HostAddress{std::string(address.substr(0, colon)),
                       std::string(address.substr(colon + 1))};
}

} // namespace cloud
