#include "platform/DriveList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace cloud;
namespace fs = std::filesystem;

namespace {

// A made-up /sys/block and /dev/disk/by-label for one machine.
class DriveListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "drives-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        sources.sysRoot = (root / "sys").string();
        sources.byLabelDir = (root / "by-label").string();
        sources.isDirectory = [](const std::string &) { return true; };
        fs::create_directories(root / "by-label");
    }
    void TearDown() override { fs::remove_all(root); }

    void disk(const std::string &name, bool removable, std::initializer_list<std::string> parts)
    {
        const fs::path dir = root / "sys" / "block" / name;
        fs::create_directories(dir);
        std::ofstream(dir / "removable") << (removable ? "1\n" : "0\n");
        for (const std::string &part : parts)
            fs::create_directories(dir / part);
    }

    void label(const std::string &linkName, const std::string &device)
    {
        fs::create_symlink("../../" + device, root / "by-label" / linkName);
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const DriveEntry &d : DriveList::fromSources(sources))
            out.push_back(d.name);
        return out;
    }

    fs::path root;
    DriveSources sources;
};

} // namespace

TEST_F(DriveListTest, ListsMountedFixedDisksOnly)
{
    disk("sda", false, {"sda1", "sda2"});
    disk("sdb", true, {"sdb1"}); // a USB stick
    disk("sr0", true, {});       // an optical drive
    disk("nvme0n1", false, {"nvme0n1p1"});
    disk("loop0", false, {}); // a mounted image
    disk("dm-0", false, {});  // LVM volume, a disk of its own
    sources.mounts = "proc /proc proc rw 0 0\n"
                     "sysfs /sys sysfs rw 0 0\n"
                     "tmpfs /run tmpfs rw 0 0\n"
                     "/dev/sda2 / ext4 rw,relatime 0 0\n"
                     "/dev/sda1 /boot/efi vfat rw 0 0\n"
                     "/dev/sdb1 /media/u/STICK vfat rw 0 0\n"
                     "/dev/sr0 /media/u/CDROM iso9660 ro 0 0\n"
                     "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
                     "server:/export /mnt/nfs nfs4 rw 0 0\n"
                     "//nas/share /mnt/smb cifs rw 0 0\n"
                     "/dev/nvme0n1p1 /data xfs rw 0 0\n"
                     "/dev/dm-0 /srv ext4 rw 0 0\n"
                     "/dev/sdz1 /gone ext4 rw 0 0\n" // no such block device
                     "garbage\n"
                     "\n";
    EXPECT_EQ(names(), (std::vector<std::string>{"/", "/boot/efi", "/data", "/srv"}));
}

TEST_F(DriveListTest, ColumnsCarryLabelAndType)
{
    disk("sda", false, {"sda1", "sda2"});
    label("Ubuntu\\x20Root", "sda2");
    label("\\xe6\\x95\\xb0\\xe6\\x8d\\xae", "sda1"); // "数据"
    sources.mounts = "/dev/sda2 / ext4 rw 0 0\n"
                     "/dev/sda1 /home/u/My\\040Files ntfs3 rw 0 0\n";
    const std::vector<DriveEntry> drives = DriveList::fromSources(sources);
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0].name, "/");
    EXPECT_EQ(drives[0].label, "Ubuntu Root");
    EXPECT_EQ(drives[0].fileSystem, "ext4");
    EXPECT_EQ(drives[1].name, "/home/u/My Files");
    EXPECT_EQ(drives[1].label, "数据");
    EXPECT_EQ(drives[1].fileSystem, "ntfs3");
}

TEST_F(DriveListTest, NamesThatCannotBeStoredAndHiddenMountsAreLeftOut)
{
    disk("sda", false, {"sda1", "sda2", "sda3"});
    sources.mounts = "/dev/sda1 /a;b ext4 rw 0 0\n" // ";" separates the stored names
                     "/dev/sda1 /c,d ext4 rw 0 0\n" // "," separates a share's name and path
                     "/dev/sda2 /e ext4 rw 0 0\n"
                     "/dev/sda3 /e xfs rw 0 0\n" // mounted over the one before
                     "/dev/sda2 /etc/hosts ext4 rw 0 0\n";
    sources.isDirectory = [](const std::string &path) { return path != "/etc/hosts"; };
    const std::vector<DriveEntry> drives = DriveList::fromSources(sources);
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].name, "/e");
    EXPECT_EQ(drives[0].fileSystem, "xfs");
}

TEST(DriveSelection, RestoreRuleAndStoredForm)
{
    const std::vector<DriveEntry> drives = {
        {"/", "", "ext4"}, {"/data", "", "xfs"}, {"/home", "", "ext4"}};
    struct Case
    {
        const char *stored;
        std::vector<bool> checked;
    };
    const Case cases[] = {
        {"", {false, false, false}},
        {"/home;", {false, false, true}},
        {"/;/home;", {true, false, true}},       // whatever lies between them
        {"/home;/;", {true, false, true}},       // stored order does not matter
        {"/gone;/data;", {false, true, false}},  // a drive that went away is dropped
        {"/home", {false, false, true}},         // last separator missing
        {"/HOME;/hom;;", {false, false, false}}, // exact comparison only
    };
    for (const Case &c : cases)
        EXPECT_EQ(DriveList::checkedRows(drives, c.stored), c.checked) << c.stored;

    EXPECT_EQ(DriveList::selectionText(drives, {true, false, true}), "/;/home;");
    EXPECT_EQ(DriveList::selectionText(drives, {false, false, false}), "");
    // What is stored restores the same marks.
    EXPECT_EQ(DriveList::checkedRows(drives, DriveList::selectionText(drives, {false, true, true})),
              (std::vector<bool>{false, true, true}));
}

TEST(DriveSelection, ThisMachineListsSomethingSensible)
{
    // Whatever the machine has: every entry is an absolute path that can be stored.
    for (const DriveEntry &drive : DriveList::localFixedDrives()) {
        EXPECT_TRUE(drive.name.starts_with("/")) << drive.name;
        EXPECT_EQ(drive.name.find(';'), std::string::npos);
        EXPECT_FALSE(drive.fileSystem.empty());
    }
}
