#pragma once

#include <optional>
#include <string>

namespace cloud {

// The profile requests. Each blocks its calling thread, always a worker.

// The signed-in account's user name (`/user/data/usernmae`); empty when the service gave
// none or did not answer.
std::string loadUserName();

// Loads the profile (`/user/userinfo`) into UserProfile (balance, and the contact fields that
// came non-empty) and returns the real-name text it carries, without storing it: the caller
// decides. Nothing, and nothing changed, when the reply is not JSON.
std::optional<std::string> loadUserProfile();

} // namespace cloud
