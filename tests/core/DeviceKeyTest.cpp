#include "platform/DeviceKey.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace cloud;
namespace fs = std::filesystem;

namespace {

bool isKeyForm(const std::string &key)
{
    if (key.size() != 16)
        return false;
    for (char c : key) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

// A made-up /sys tree in a fresh temporary directory.
class FakeSysfs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "devicekey-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override { fs::remove_all(root); }

    void file(const std::string &relative, const std::string &content)
    {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative) << content;
    }

    fs::path root;
};

} // namespace

TEST(DeviceKey, KeyIsTheMiddleOfTheUpperCaseMd5)
{
    // MD5("abc") = 900150983CD24FB0D6963F7D28E17F72; characters 8 to 23.
    EXPECT_EQ(deviceKeyFrom({"a", "b", "c", ""}), "83CD24FB0D6963F7");
    EXPECT_EQ(deviceKeyFrom({"-1075053569591594", "123", "-45", "52-54-00-12-34-56"}),
              "21C30A5777F8CB68");
    // Nothing readable at all still gives a key of the full form.
    EXPECT_TRUE(isKeyForm(deviceKeyFrom({"00", "0", "0", ""})));
}

TEST(DeviceKey, ThisMachineGivesTheSameKeyEveryTime)
{
    const std::string key = computeDeviceKey();
    EXPECT_TRUE(isKeyForm(key)) << key;
    EXPECT_EQ(computeDeviceKey(), key);
    EXPECT_EQ(volumePartOf("/no/such/directory"), "0");
}

TEST(DeviceKey, DiskIdentityBlock)
{
    // Model at offset 0, serial at offset 512 of 1024 zero bytes; CRC-32 as signed decimal.
    EXPECT_EQ(diskPartOf("Samsung SSD 860", "S3Z9NB0K123456"), "-496732994");
    EXPECT_EQ(diskPartOf("", ""), "0");
    // An overlong model is cut before it reaches the serial number.
    const std::string longModel(600, 'M');
    EXPECT_EQ(diskPartOf(longModel, "S1"), diskPartOf(longModel.substr(0, 511), "S1"));
    EXPECT_NE(diskPartOf(longModel, "S1"), diskPartOf(longModel, "S2"));
}

TEST_F(FakeSysfs, FirstRealDiskIsUsed)
{
    file("block/dm-0/device/model", "Mapper");
    file("block/loop0/device/model", "Loop");
    file("block/sda/device/model", "Samsung SSD 860 \n");
    file("block/sda/device/serial", "S3Z9NB0K123456\n");
    file("block/sdb/device/model", "Other");
    EXPECT_EQ(diskPartFrom((root / "block").string()), "-496732994");
}

TEST_F(FakeSysfs, NoUsableDiskGivesZero)
{
    file("block/loop0/device/model", "Loop");
    file("block/zram0/device/model", "Zram");
    file("block/sr0/device/model", "DVD");
    EXPECT_EQ(diskPartFrom((root / "block").string()), "0");
    EXPECT_EQ(diskPartFrom((root / "missing").string()), "0");
}

TEST_F(FakeSysfs, AdapterPrefersHardwareThenLowestIndex)
{
    file("net/lo/address", "00:00:00:00:00:00\n");
    file("net/lo/ifindex", "1\n");
    file("net/docker0/address", "02:42:ac:11:00:01\n");
    file("net/docker0/ifindex", "2\n");
    file("net/wlan0/address", "a4:5e:60:01:02:03\n");
    file("net/wlan0/ifindex", "4\n");
    file("net/wlan0/device/vendor", "x");
    file("net/eth0/address", "52:54:00:12:34:56\n");
    file("net/eth0/ifindex", "3\n");
    file("net/eth0/device/vendor", "x");
    EXPECT_EQ(adapterPartFrom((root / "net").string()), "52-54-00-12-34-56");
}

TEST_F(FakeSysfs, AdapterWithoutUsableAddressIsSkipped)
{
    file("net/lo/address", "00:00:00:00:00:00\n");
    file("net/tun0/address", "\n");
    file("net/ib0/address", "80:00:02:08:fe:80:00:00:00:00:00:00:00:02:c9:03:00:0a:0b:0c\n");
    file("net/dummy0/address", "00:00:00:00:00:00\n");
    EXPECT_EQ(adapterPartFrom((root / "net").string()), "");
    file("net/veth1/address", "0a:0b:0c:0d:0e:0f\n");
    file("net/veth1/ifindex", "9\n");
    EXPECT_EQ(adapterPartFrom((root / "net").string()), "0A-0B-0C-0D-0E-0F");
    EXPECT_EQ(adapterPartFrom((root / "missing").string()), "");
}
