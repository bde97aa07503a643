#pragma once

#include <string>

namespace updater {

// The client-information address the client records for the updater: key `API地址`
// of section `更新` in the GBK file at `iniPath`. Empty when the file, the section
// or the key is missing. The address ends in "/khd?act=".
std::string readUpdateAddress(const std::string &iniPath);

// The address of the service's web site: scheme, host and port of the
// client-information address, followed by "/". Empty when it is not an http(s) URL.
std::string siteAddressOf(const std::string &updateAddress);

} // namespace updater
