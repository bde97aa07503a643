#include "net/HeaderText.h"

#include <gtest/gtest.h>

using namespace cloud;

TEST(HeaderText, NormalizeHeaderBlock)
{
    struct Case
    {
        const char *in;
        const char *out;
    };
    const Case cases[] = {
        {"", ""},
        {"content-type: text/plain", "Content-Type: text/plain"},
        {"x-requested-with: XMLHttpRequest", "X-Requested-With: XMLHttpRequest"},
        {"ACCEPT: x", "ACCEPT: x"},
        {"a\r\nb: 1", "B: 1"},
        {"cache-control:no-cache", "Cache-Control:no-cache"},
        {"referer:  http://h/a:b\r\n\r\naccept: */*", "Referer:  http://h/a:b\r\nAccept: */*"},
        {"x--y: 1\r\n-a: 2", "X--Y: 1\r\n-A: 2"},
        {"no colon at all", ""},
        {"中-文: 值", "中-文: 值"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(normalizeHeaderBlock(c.in), c.out) << c.in;
}

TEST(HeaderText, ExtractSetCookies)
{
    struct Case
    {
        const char *in;
        const char *out;
    };
    const Case cases[] = {
        {"HTTP/1.1 200 OK\r\nSet-Cookie: sid=abc; path=/\r\nSet-Cookie: lang=cn\r\n\r\n",
         "sid=abc; lang=cn"},
        {"HTTP/1.1 200 OK\r\nset-cookie: a=1\r\nSET-COOKIE: b=2\r\n", ""},
        {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", ""},
        {"", ""},
        {"Set-Cookie:  x=1 \r\nSet-Cookie: y=2;\r\nSet-Cookie:z=3", "x=1; y=2"},
        {"X-Set-Cookie: a=1\r\nSet-Cookie: gone=deleted; Max-Age=0", "gone=deleted"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(extractSetCookies(c.in), c.out) << c.in;
}

TEST(HeaderText, MergeCookieText)
{
    struct Case
    {
        const char *sent;
        const char *received;
        const char *out;
    };
    const Case cases[] = {
        {"sid=1; x=5; y=7", "sid=2; x=deleted", "sid=2; y=7"},
        {"a=1;", "", "a=1"},
        {"b=1; a=1", "a=2", "a=2; b=1"},
        {"", "", ""},
        {"", "a=1; a=1; b=2", "a=1; b=2"},
        {"  a=1; b=2  ", " c=3 ", "c=3; a=1; b=2"},
        {"A=1", "a=2", "a=2; A=1"},
        {"flag; a=1", "flag", "flag; a=1"},
        {"a=1; b=deleted", "", "a=1"},
        {"a=1;b=2", "", "a=1;b=2"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(mergeCookieText(c.sent, c.received), c.out)
            << "sent '" << c.sent << "' received '" << c.received << "'";
}
