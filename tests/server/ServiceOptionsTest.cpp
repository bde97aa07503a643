#include "ServiceOptions.h"

#include <gtest/gtest.h>

using namespace refservice;

namespace {

struct Parsed
{
    bool ok = false;
    bool help = false;
    std::string error;
    ServiceOptions options;
};

Parsed parse(const std::vector<std::string> &args)
{
    Parsed p;
    p.ok = ServiceOptions::parse(args, p.options, p.error, p.help);
    return p;
}

} // namespace

TEST(ServiceOptions, DefaultsAndValues)
{
    const Parsed none = parse({});
    ASSERT_TRUE(none.ok);
    EXPECT_EQ(none.options.listenHost, "127.0.0.1");
    EXPECT_EQ(none.options.listenPort, 8360);
    EXPECT_EQ(none.options.dbPath, "refservice.db");
    EXPECT_EQ(none.options.fault, FaultKind::None);

    const Parsed all = parse({"--listen", "0.0.0.0:9000", "--db=/tmp/x.db", "--latency", "250",
                              "--fault", "garbage", "--fault-rate", "30", "--maintenance"});
    ASSERT_TRUE(all.ok) << all.error;
    EXPECT_EQ(all.options.listenHost, "0.0.0.0");
    EXPECT_EQ(all.options.listenPort, 9000);
    EXPECT_EQ(all.options.dbPath, "/tmp/x.db");
    EXPECT_EQ(all.options.latencyMs, 250);
    EXPECT_EQ(all.options.fault, FaultKind::Garbage);
    EXPECT_EQ(all.options.faultRate, 30);
    EXPECT_TRUE(all.options.maintenance);

    const Parsed v6 = parse({"--listen", "[::1]:0"});
    ASSERT_TRUE(v6.ok);
    EXPECT_EQ(v6.options.listenHost, "::1");
    EXPECT_EQ(v6.options.listenPort, 0);

    // A fault kind alone hits every request.
    EXPECT_EQ(parse({"--fault", "drop"}).options.faultRate, 100);
    EXPECT_EQ(parse({"--fault", "500"}).options.fault, FaultKind::ServerError);
    EXPECT_EQ(parse({"--fault", "slow"}).options.fault, FaultKind::Slow);

    const Parsed help = parse({"--help"});
    EXPECT_TRUE(help.ok && help.help);
    for (const char *option :
         {"--listen", "--db", "--latency", "--fault-rate", "--fault", "--maintenance", "--help"})
        EXPECT_NE(ServiceOptions::usage().find(option), std::string::npos) << option;
}

TEST(ServiceOptions, BadArgumentsAreRefused)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--listen", "8360"},
        {"--listen", "host:"},
        {"--listen", "host:70000"},
        {"--listen", ":80"},
        {"--latency", "-1"},
        {"--latency", "12ms"},
        {"--fault-rate", "101"},
        {"--fault", "explode"},
        {"--fault-rate", "20"},
        {"--db", ""},
        {"--listen"},
        {"--verbose"},
        {"--maintenance=1"},
    };
    for (const auto &args : bad) {
        const Parsed p = parse(args);
        EXPECT_FALSE(p.ok) << args[0] << (args.size() > 1 ? " " + args[1] : "");
        EXPECT_FALSE(p.error.empty());
    }
}
