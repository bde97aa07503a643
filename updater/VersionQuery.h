#pragma once

#include <string>

namespace updater {

// GET `url`; the reply as text (up to the first zero byte, from GBK). Empty when the
// request fails. Gives up after a few seconds rather than hang the updater.
std::string fetchVersionText(const std::string &url);

} // namespace updater
