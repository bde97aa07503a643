#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// One local drive as the remote desktop options show it: the mount point stands
// for the drive name, then the file-system label and the file-system type.
struct DriveEntry
{
    std::string name;       // mount point, such as "/" or "/home"
    std::string label;      // file-system label; empty when the file system has none
    std::string fileSystem; // such as "ext4"
};

// Where the drive list reads the system, so that a test can point it at made-up files.
struct DriveSources
{
    std::string mounts;                            // the text of /proc/self/mounts
    std::string sysRoot = "/sys";                  // holds block/<disk>/removable
    std::string byLabelDir = "/dev/disk/by-label"; // symlinks named after labels
    // Whether a mount point is a directory (bind-mounted files are not drives);
    // empty: asks the file system.
    std::function<bool(const std::string &)> isDirectory;
};

// The local fixed disks: mounted file systems on local block devices that are not
// removable. Network and pseudo file systems have no block device and drop out;
// loop and RAM devices are images and memory, not disks.
class DriveList
{
public:
    // The drives of this machine, sorted by mount point.
    static std::vector<DriveEntry> localFixedDrives();
    static std::vector<DriveEntry> fromSources(const DriveSources &sources);

    // The stored selection is the drive names each followed by ";". A row is
    // checked when its name equals one of the pieces exactly.
    static std::vector<bool> checkedRows(const std::vector<DriveEntry> &drives,
                                         std::string_view stored);
    // The stored text for the checked rows, in list order.
    static std::string selectionText(const std::vector<DriveEntry> &drives,
                                     const std::vector<bool> &checked);

    // The names a stored selection holds, in its order; empty pieces are skipped.
    static std::vector<std::string> storedNames(std::string_view stored);
};

} // namespace cloud
