#pragma once

#include <string>
#include <string_view>

namespace cloud {

// The updater's settings file in the program directory: where the updater program
// asks for version information. The client writes it at every start and never
// reads it back itself.
class UpdateSettings
{
public:
    static constexpr std::string_view kFileName = "更新配置.ini";

    explicit UpdateSettings(std::string path) : m_path(std::move(path)) {}

    bool saveApiAddress(std::string_view clientInfoUrl) const;
    std::string apiAddress() const;

    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace cloud
