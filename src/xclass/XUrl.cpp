#include "XUrl.h"

#include "XCase.h"

namespace {

bool hasBlankOrControl(const XStr& text) {
    for (char32_t c : text) {
        if (c <= U' ' || c == 0x7F) {
            return true;
        }
    }
    return false;
}

// Names and address literals only: anything else in the host would end up in the request's
// "Host" header or in the proxy's request line.
bool isHostText(const XStr& host) {
    for (char32_t c : host) {
        if (!XCase::isAlpha(c) && !XCase::isDigit(c) && c != U'.' && c != U'-' && c != U'_') {
            return false;
        }
    }
    return !host.empty();
}

int hexValue(char32_t c) {
    if (c >= U'0' && c <= U'9') {
        return static_cast<int>(c - U'0');
    }
    if (c >= U'a' && c <= U'f') {
        return static_cast<int>(c - U'a') + 10;
    }
    if (c >= U'A' && c <= U'F') {
        return static_cast<int>(c - U'A') + 10;
    }
    return -1;
}

}  // namespace

bool ParseUrl(const XStr& text, XParsedUrl& url) {
    XParsedUrl parsed;
    XStr rest = text;
    if (text.find(XStr("://")) != XStr::npos) {
        if (text.startsWithNoCase("http://")) {
            rest = text.substr(7);
        } else if (text.startsWithNoCase("https://")) {
            parsed.tls = true;
            rest = text.substr(8);
        } else {
            return false;
        }
    }
    if (rest.empty() || rest.front() == U'/' || hasBlankOrControl(rest)) {
        return false;
    }
    const std::size_t slash = rest.find(U'/');
    XStr hostPart = slash == XStr::npos ? rest : rest.left(slash);
    parsed.path = slash == XStr::npos ? XStr("/") : rest.substr(slash);
    if (hostPart.front() == U':') {
        return false;
    }
    parsed.port = parsed.defaultPort();
    const std::size_t colon = hostPart.rfind(U':');
    if (colon != XStr::npos) {
        const XStr digits = hostPart.substr(colon + 1);
        if (digits.empty() || digits.size() > 5) {
            return false;
        }
        for (char32_t c : digits) {
            if (!XCase::isDigit(c)) {
                return false;
            }
        }
        const int64_t port = digits.toInt64();
        if (port < 1 || port > 65535) {
            return false;
        }
        parsed.port = static_cast<uint16_t>(port);
        hostPart = hostPart.left(colon);
    }
    if (!isHostText(hostPart)) {
        return false;
    }
    parsed.host = hostPart;
    url = parsed;
    return true;
}

XStr BuildUrl(const XParsedUrl& url, const XStr& path) {
    XStr text = url.tls ? XStr("https://") : XStr("http://");
    text += url.host;
    if (url.port != url.defaultPort()) {
        text += ":" + XStr::number(static_cast<unsigned>(url.port));
    }
    if (!path.empty() && path.front() == U'/') {
        return text + path;
    }
    const std::size_t lastSlash = url.path.rfind(U'/');
    text += lastSlash == XStr::npos ? XStr("/") : url.path.left(lastSlash + 1);
    return text + path;
}

XStr UrlEncode(const XStr& text) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (const char c : text.utf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (XCase::isAlpha(byte) || XCase::isDigit(byte) || c == '-' || c == '.' || c == '_') {
            out += c;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return XStr(out);
}

XStr UrlDecode(const XStr& text) {
    // Work on the bytes: a "%XX" may be one byte of a longer UTF-8 sequence.
    const std::string in = text.utf8();
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '%' && i + 2 < in.size() && hexValue(static_cast<unsigned char>(in[i + 1])) >= 0 &&
            hexValue(static_cast<unsigned char>(in[i + 2])) >= 0) {
            out += static_cast<char>(hexValue(static_cast<unsigned char>(in[i + 1])) * 16 +
                                     hexValue(static_cast<unsigned char>(in[i + 2])));
            i += 2;
        } else if (c == '+') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return XStr::fromUtf8(out);
}
