#pragma once

#include <string>
#include <string_view>

namespace cloud {

// Where the client keeps its files: the program directory (next to the executable)
// and the user's Documents folder. Paths are UTF-8, without a trailing separator.

// The directory of the running executable; empty when it cannot be found.
std::string programDirectory();
// Makes the program directory the current directory, so relative names such as
// "update.exe" mean the files next to the executable. False when that fails.
bool enterProgramDirectory();

// The user's Documents folder: XDG_DOCUMENTS_DIR of the user-dirs file, else
// $HOME/Documents. Created when missing (failures are left to the file writes).
std::string documentsDirectory();
// The same from given values: `home` for $HOME and `configHome` for $XDG_CONFIG_HOME
// (empty: $HOME/.config). Creates nothing.
std::string documentsDirectoryFrom(const std::string &home, const std::string &configHome);

// The account settings file: Documents + "/" + title + ".ini". The title comes from
// the service, so path separators are removed from it: whatever it says, the file
// stays inside the Documents folder.
std::string accountIniPathFor(const std::string &documentsDir, std::string_view titleText);

std::string historyDirectory(const std::string &programDir);
// Creates the "History" directory when missing; false when it cannot be made.
bool ensureHistoryDirectory(const std::string &programDir);
std::string updateConfigPath(const std::string &programDir);
std::string updaterPath(const std::string &programDir);

} // namespace cloud
