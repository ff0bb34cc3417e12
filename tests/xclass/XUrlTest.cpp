// URLs of the HTTP client: parsing, building with relative paths, and query encoding.
#include "XUrl.h"

#include <gtest/gtest.h>

namespace {

struct ParseRow {
    const char* text;
    bool ok;
    bool tls;
    const char* host;
    int port;
    const char* path;
};

const ParseRow kParse[] = {
    {"HTTPS://example.org/a", true, true, "example.org", 443, "/a"},
    {"http://example.org:8080", true, false, "example.org", 8080, "/"},
    {"example.org:8080", true, false, "example.org", 8080, "/"},
    {"example.org/x/y?q=1", true, false, "example.org", 80, "/x/y?q=1"},
    {"hTtP://127.0.0.1:1/", true, false, "127.0.0.1", 1, "/"},
    {"https://h:443/p:q", true, true, "h", 443, "/p:q"},
    {"https://h:80/", true, true, "h", 80, "/"},
    // Other schemes, empty hosts and ports that are no port.
    {"ftp://example.org/a", false, false, "", 0, ""},
    {"x/a?u=http://b", false, false, "", 0, ""},
    {"/only/a/path", false, false, "", 0, ""},
    {"http:///a", false, false, "", 0, ""},
    {":80/a", false, false, "", 0, ""},
    {"http://:80/a", false, false, "", 0, ""},
    {"http://h:/a", false, false, "", 0, ""},
    {"http://h:0/a", false, false, "", 0, ""},
    {"http://h:65536/a", false, false, "", 0, ""},
    {"http://h:8o/a", false, false, "", 0, ""},
    {"", false, false, "", 0, ""},
    // What would end the request line or a header early, or smuggle in another host.
    {"http://h/a b", false, false, "", 0, ""},
    {"http://h/a\r\nX: y", false, false, "", 0, ""},
    {"http://user@h/a", false, false, "", 0, ""},
    {"http://h\tx/a", false, false, "", 0, ""},
};

TEST(XUrl, Parse) {
    for (const ParseRow& row : kParse) {
        XParsedUrl url;
        url.host = "untouched";
        EXPECT_EQ(ParseUrl(row.text, url), row.ok) << row.text;
        if (!row.ok) {
            EXPECT_EQ(url.host, "untouched") << row.text;
            continue;
        }
        EXPECT_EQ(url.tls, row.tls) << row.text;
        EXPECT_EQ(url.host, row.host) << row.text;
        EXPECT_EQ(url.port, row.port) << row.text;
        EXPECT_EQ(url.path, row.path) << row.text;
    }
}

struct BuildRow {
    const char* base;
    const char* path;
    const char* built;
};

const BuildRow kBuild[] = {
    {"http://h/dir/a.txt", "b.txt", "http://h/dir/b.txt"},
    {"http://h/dir/a.txt", "/b.txt", "http://h/b.txt"},
    {"http://h/dir/", "sub/c", "http://h/dir/sub/c"},
    {"http://h/", "c", "http://h/c"},
    {"https://h:443/a", "", "https://h/"},
    {"https://h:8443/a/b", "../c", "https://h:8443/a/../c"},
    {"http://h:443/a", "/x", "http://h:443/x"},
    {"https://h:80/a", "/x", "https://h:80/x"},
};

TEST(XUrl, BuildResolvesRelativePathsAgainstTheCurrentOne) {
    for (const BuildRow& row : kBuild) {
        XParsedUrl url;
        ASSERT_TRUE(ParseUrl(row.base, url)) << row.base;
        EXPECT_EQ(BuildUrl(url, row.path), row.built) << row.base << " + " << row.path;
    }
    // A path without any "/" (only made by hand) resolves against the root.
    XParsedUrl bare{false, "h", 80, "nothing"};
    EXPECT_EQ(BuildUrl(bare, "x"), "http://h/x");
    // Built and parsed again gives the same parts.
    for (const char* text : {"https://h:8443/a/b?c", "http://h/", "https://x.y/z"}) {
        XParsedUrl once;
        XParsedUrl twice;
        ASSERT_TRUE(ParseUrl(text, once));
        ASSERT_TRUE(ParseUrl(BuildUrl(once), twice));
        EXPECT_EQ(once, twice) << text;
    }
}

struct EncodeRow {
    const char* text;
    const char* encoded;
};

const EncodeRow kEncode[] = {
    {"a b&c", "a+b%26c"},
    {"AZaz09-._", "AZaz09-._"},
    {"~/+%", "%7E%2F%2B%25"},
    {"é", "%C3%A9"},
    {"", ""},
};

TEST(XUrl, EncodeAndDecode) {
    for (const EncodeRow& row : kEncode) {
        EXPECT_EQ(UrlEncode(row.text), row.encoded) << row.text;
        EXPECT_EQ(UrlDecode(row.encoded), row.text) << row.encoded;
    }
    // Either case of hexadecimal digits; a "%" without two of them stays.
    EXPECT_EQ(UrlDecode("%c3%A9"), "é");
    EXPECT_EQ(UrlDecode("100%"), "100%");
    EXPECT_EQ(UrlDecode("%4"), "%4");
    EXPECT_EQ(UrlDecode("%zz+%41"), "%zz A");
    // A byte that is no UTF-8 is kept as a byte.
    EXPECT_EQ(UrlDecode("%FF").utf8(), "\xFF");
}

}  // namespace
