#pragma once

namespace refservice {

class Database;

// The first content of a new database: two demo accounts (13800000000 and 13900000000,
// password demo1234), their hosts and money records, the catalogue, three unused prepaid
// cards and the service's texts. Runs inside the schema step's transaction.
class SeedData
{
public:
    static bool insert(Database &db);
    // What the host operations need: the amount paid for each host's term, and a host
    // bought two hours before the database was made, so that a refund can be tried.
    static bool insertHostTerms(Database &db);

private:
    static bool insertSettings(Database &db);
    static bool insertCatalogue(Database &db);
    static bool insertAccounts(Database &db);
    static bool insertHosts(Database &db);
    static bool insertMoneyRecords(Database &db);
    static bool insertCards(Database &db);
};

} // namespace refservice
