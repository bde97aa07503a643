#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// One operating system that a host can be reinstalled with.
struct OsEntry
{
    std::string id;   // osid
    std::string name; // osname
};

// The requests of the host operations. Each blocks its caller until the reply is in,
// so they run on workers; a failed request gives empty text (an empty list).
namespace HostRequests {

// GET; a JSON reply whose `status` tells the outcome.
std::string restart(const std::string &id);
// POST `id`, without following redirects; the systems the host can take.
std::vector<OsEntry> osList(const std::string &id);
// POST `osid`, `id`; a code.
std::string install(const std::string &osId, const std::string &id);
// POST `password`, `id`; a code.
std::string changePassword(const std::string &password, const std::string &id);
// POST `username`, `password`, `id`, `bz`; a code. The account's own name and password
// authorise the change.
std::string setRemark(const std::string &accountName, const std::string &accountPassword,
                      const std::string &id, const std::string &remark);
// GET with the browser-like header lines the refund page expects; a text page.
std::string refund(const std::string &id);

// The entries of an OS-list reply: `count` of them, but never more than the reply holds.
std::vector<OsEntry> parseOsList(std::string_view reply);
// The refund's extra header lines, for the API host `apiHost`.
std::string refundHeaders(const std::string &apiHost);

} // namespace HostRequests

} // namespace cloud
