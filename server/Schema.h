#pragma once

#include <string>

namespace refservice {

class Database;

// The tables of the service and their first content. The file's PRAGMA user_version counts
// the steps applied; each step runs once, in its own transaction, so a second start adds
// nothing. A later change of the tables is a new step appended to the list.
class Schema
{
public:
    static bool upgrade(Database &db, std::string &error);
    static int latestVersion();
};

} // namespace refservice
