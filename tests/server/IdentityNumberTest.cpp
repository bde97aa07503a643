#include "IdentityNumber.h"

#include <gtest/gtest.h>

using namespace refservice;

TEST(IdentityNumber, CheckCharacterFollowsMod11Weights)
{
    EXPECT_EQ(IdentityNumber::checkCharacter("11010519491231002"), 'X');
    EXPECT_EQ(IdentityNumber::checkCharacter("44030419850615213"), '3');
    EXPECT_EQ(IdentityNumber::checkCharacter("11010119900101123"), '7');
    EXPECT_EQ(IdentityNumber::checkCharacter("1101011990010112"), '\0');
    EXPECT_EQ(IdentityNumber::checkCharacter("1101011990010112a"), '\0');
}

TEST(IdentityNumber, ValidNumbersNeedTheRightCheckAndARealBirthDate)
{
    for (const char *good : {"11010519491231002X", "11010519491231002x", "440304198506152133",
                             "320102198002290013"}) // 29 February 1980
        EXPECT_TRUE(IdentityNumber::isValid(good)) << good;
    for (const char *bad : {"110105194912310021",  // wrong check character
                            "440304198506152134",  // wrong check digit
                            "320102198102290010",  // 29 February 1981 does not exist
                            "110105189912310020",  // born before 1900
                            "11010519491231002",   // 17 characters
                            "11010519491231002XX", // 19 characters
                            "1101051949123100 X",  // a blank inside
                            "", "ABCDEFGHIJKLMNOPQR"})
        EXPECT_FALSE(IdentityNumber::isValid(bad)) << bad;
    EXPECT_EQ(IdentityNumber::normalised("11010519491231002x"), "11010519491231002X");
}
