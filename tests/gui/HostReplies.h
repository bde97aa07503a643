#pragma once

#include <string>
#include <vector>

namespace cloud::test {

// Host-list replies in the service's form.
struct HostJson
{
    int id = 1;
    std::string type = "香港云服务器";
    std::string name = "hk-01";
    std::string address = "203.0.113.10:3389";
    std::string password = "Pa55word";
    std::string cpu = "2核";
    std::string memory = "4G";
    std::string bandwidth = "5M";
    std::string expiry = "2027-01-31";
    std::string status = "运行中";
    std::string zt;
    std::string remark;
};

inline std::string hostJson(const HostJson &h)
{
    return "{\"id\":" + std::to_string(h.id) + ",\"VPStype\":\"" + h.type + "\",\"VPStypeID\":3" +
           ",\"vpsname\":\"" + h.name + "\",\"ycdz\":\"" + h.address + "\",\"VPSpassword\":\"" +
           h.password + "\",\"CpuNum\":\"" + h.cpu + "\",\"MaxRAM\":\"" + h.memory +
           "\",\"Maxmbps8\":\"" + h.bandwidth + "\",\"endtime\":\"" + h.expiry +
           "\",\"status\":\"" + h.status + "\",\"zt\":\"" + h.zt + "\",\"corewhatuser\":\"" +
           h.remark + "\"}";
}

inline std::string hostListReply(long long count, const std::vector<HostJson> &hosts)
{
    std::string data;
    for (const HostJson &host : hosts)
        data += (data.empty() ? "" : ",") + hostJson(host);
    return "{\"code\":0,\"count\":" + std::to_string(count) + ",\"data\":[" + data + "]}";
}

// `n` distinct hosts numbered from `first`.
inline std::vector<HostJson> someHosts(int n, int first = 1)
{
    std::vector<HostJson> hosts;
    for (int i = 0; i < n; ++i) {
        HostJson host;
        host.id = first + i;
        host.name = "host-" + std::to_string(first + i);
        host.address = "203.0.113." + std::to_string(10 + first + i);
        hosts.push_back(host);
    }
    return hosts;
}

} // namespace cloud::test
