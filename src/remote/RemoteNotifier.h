#pragma once

#include <string>

namespace cloud {

// The messages of a connection: a box with a title and a text that the user closes.
// Called on the GUI thread only; notice() returns once the user has closed the box.
class RemoteNotifier
{
public:
    virtual ~RemoteNotifier() = default;
    virtual void notice(const std::string &title, const std::string &text) = 0;
};

} // namespace cloud
