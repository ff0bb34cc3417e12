// URLs of the HTTP client: reading "http://host:port/path" into its parts and writing it
// back, and the encoding of query values.
#pragma once

#include <cstdint>

#include "XStr.h"

struct XParsedUrl {
    bool tls = false;
    XStr host;
    uint16_t port = 80;
    XStr path = "/";

    uint16_t defaultPort() const { return tls ? 443 : 80; }
    friend bool operator==(const XParsedUrl&, const XParsedUrl&) = default;
};

// "http://" and "https://" (any case) or no scheme (plain); the path from the first "/"
// ("/" when there is none); the port after the host's last ":" (443 for TLS, 80 otherwise
// when none is given). False for another scheme, an empty host, a port that is no number
// from 1 to 65535, and for blanks or control characters anywhere, which would end the
// request line early.
bool ParseUrl(const XStr& text, XParsedUrl& url);

// The scheme, the host, ":" and the port when it is not the scheme's default, then path. A
// path that does not begin with "/" is relative to url's path: it replaces what follows the
// last "/" there.
XStr BuildUrl(const XParsedUrl& url, const XStr& path);
inline XStr BuildUrl(const XParsedUrl& url) {
    return BuildUrl(url, url.path);
}

// UTF-8 bytes; letters, digits, "-", "." and "_" stay, a blank becomes "+", every other
// byte "%XX" (upper-case hexadecimal).
XStr UrlEncode(const XStr& text);
// "%XX" (either case) gives that byte, a "%" without two hexadecimal digits stays, "+"
// gives a blank; the bytes are then read as UTF-8.
XStr UrlDecode(const XStr& text);
