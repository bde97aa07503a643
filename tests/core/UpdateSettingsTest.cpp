#include "UpdateSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace updater;
namespace fs = std::filesystem;

TEST(UpdateSettings, ReadsTheAddressFromTheGbkFile)
{
    std::string pattern = (fs::temp_directory_path() / "update-ini-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path ini = fs::path(pattern) / "settings.ini";
    // "[更新]" and "API地址" in GBK, CR LF line ends, another section first.
    std::ofstream(ini, std::ios::binary)
        << "[other]\r\nAPI\xB5\xD8\xD6\xB7=wrong\r\n"
           "[\xB8\xFC\xD0\xC2]\r\nAPI\xB5\xD8\xD6\xB7=http://127.0.0.1:8360/khd?act=\r\n";
    EXPECT_EQ(readUpdateAddress(ini.string()), "http://127.0.0.1:8360/khd?act=");
    EXPECT_EQ(readUpdateAddress((fs::path(pattern) / "missing.ini").string()), "");
    fs::remove_all(pattern);
}

TEST(UpdateSettings, SiteAddress)
{
    struct Case
    {
        const char *address;
        const char *site;
    };
    const Case cases[] = {
        {"http://127.0.0.1:8360/khd?act=", "http://127.0.0.1:8360/"},
        {"https://api.example.com/khd?act=", "https://api.example.com/"},
        {"http://api.example.com?x", "http://api.example.com/"},
        {"http://api.example.com", "http://api.example.com/"},
        {"", ""},
        {"http:///khd", ""},
        {"file:///etc/passwd", ""},
        {"http://user@evil.example/", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(siteAddressOf(c.address), c.site) << c.address;
}
