#pragma once

#include <string_view>

namespace cloud {

// Opens a web page of the service in the default browser. Only http and https
// addresses are opened: the address is made from text the service sent, and any
// other scheme could start a local program. False when refused or not opened.
bool openWebPage(std::string_view address);

} // namespace cloud
