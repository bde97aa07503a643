#pragma once

#include <string>

namespace cloud {

// The texts of the selected row of the host list that the host actions read.
struct HostRow
{
    std::string productType; // column 0, VPStype; a GPU host's name holds "显卡"
    std::string name;        // column 1, vpsname
    std::string address;     // column 2, ycdz: host, optionally ":" and a port
    std::string state;       // column 3, the shown state ("运行中" when running)
    std::string id;          // column 8
    std::string password;    // column 9, VPSpassword
    // Shown by the host list; no action sends them.
    std::string config{}; // column 4
    std::string expiry{}; // column 6
    std::string remark{}; // column 10
};

} // namespace cloud
