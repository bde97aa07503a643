#pragma once

#include <QString>

namespace cloud {

// The one style sheet of the skin, embedded as a resource.
QString skinStyleSheet();

} // namespace cloud
