#include "PasswordRules.h"

#include <gtest/gtest.h>

#include <string>

using namespace refservice;

TEST(PasswordRules, PasswordsAndMobiles)
{
    struct Case
    {
        std::string text;
        bool plain;
        bool strong;
        bool digitRun;
    };
    const Case cases[] = {
        {"demo1234", true, true, false},
        {"abcdef", true, false, false},
        {"135790", true, false, false},
        {"a12345", true, true, false}, // a run of five
        {"a123456", true, true, true},
        {"654321", true, false, true},
        {"x9876543y", true, true, true},
        {"12345a6789", true, true, false}, // the letter breaks the run
        {"890123ab", true, true, false},   // no wrap from 9 to 0
        {"111111ab", true, true, false},   // repeated, not consecutive
        {"abc12", false, false, false},
        {std::string(20, 'a'), true, false, false},
        {std::string(19, 'a') + "12", false, false, false},
        {"abc 123", false, false, false},
        {"abc_123", false, false, false},
        {"密码abc123", false, false, false},
        {"", false, false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(PasswordRules::isPlain(c.text), c.plain) << c.text;
        EXPECT_EQ(PasswordRules::isStrong(c.text), c.strong) << c.text;
        EXPECT_EQ(PasswordRules::hasDigitRun(c.text), c.digitRun) << c.text;
    }
    for (const char *mobile : {"13800000000", "19912345678"})
        EXPECT_TRUE(PasswordRules::isMobile(mobile)) << mobile;
    for (const char *text : {"23800000000", "1380000000", "138000000000", "1380000000a", ""})
        EXPECT_FALSE(PasswordRules::isMobile(text)) << text;
}
