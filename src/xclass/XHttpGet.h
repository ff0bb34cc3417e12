// Fetching a URL into memory: GET, following redirects within the settings' attempts.
#pragma once

#include <string>

#include "XHttpSettings.h"
#include "XStr.h"

// True with the body when the final response has status 200 and the whole body was kept.
// Each attempt uses a new connection; a redirect (301, 302, 303, 307, 308 with a
// "Location") takes the next attempt to its location, made absolute against the URL
// when it has no "://". Anything else fails, and body is then left as it was.
bool HttpGet(const XStr& url, std::string& body, const XHttpSettings& settings,
             std::string* error = nullptr);
// With the default settings and the proxy of the settings store.
bool HttpGet(const XStr& url, std::string& body);
