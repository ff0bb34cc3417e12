#include "XHttpGet.h"

#include "XHttpConnection.h"
#include "XUrl.h"

namespace {

bool fail(std::string* error, const std::string& why) {
    if (error != nullptr) {
        *error = why;
    }
    return false;
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

bool HttpGet(const XStr& url, std::string& body, const XHttpSettings& settings,
             std::string* error) {
    XStr next = url;
    for (int attempt = 0; attempt < settings.attempts; ++attempt) {
        if (settings.cancel && settings.cancel->die()) {
            return fail(error, "cancelled");
        }
        XParsedUrl parsed;
        if (!ParseUrl(next, parsed)) {
            return fail(error, "not a URL: " + next.utf8());
        }
        XHttpConnection connection(settings);
        if (!connection.Request(parsed)) {
            return fail(error, connection.LastError());
        }
        const XHttpResponse& response = connection.Response();
        if (response.status == 200) {
            if (response.bodyIncomplete) {
                return fail(error, "the body is longer than allowed");
            }
            body = connection.TakeBody();
            return true;
        }
        const std::optional<std::string> location = response.header("Location");
        if (!isRedirect(response.status) || !location || location->empty()) {
            return fail(error, "status " + std::to_string(response.status));
        }
        const XStr target = XStr::fromUtf8(*location);
        next = target.contains(XStr("://")) ? target : BuildUrl(parsed, target);
    }
    return fail(error, "too many redirects");
}

bool HttpGet(const XStr& url, std::string& body) {
    return HttpGet(url, body, XHttpSettings::withStoredProxy());
}
