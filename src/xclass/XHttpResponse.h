// One HTTP response as the client read it: the status line, the header lines and the body.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "XStr.h"

struct XHttpResponse {
    XStr version;  // "HTTP/1.1"
    int status = 0;
    XStr reason;
    // Without their line ends, in the order received.
    std::vector<std::string> headerLines;
    std::string body;
    // The body was longer than the reader was allowed to keep; what it kept is its start.
    bool bodyIncomplete = false;
    // The connection may carry the next request.
    bool keepAlive = false;

    // The value of the first header of that name (ASCII case ignored) with the blanks
    // around it removed; nothing when there is none.
    std::optional<std::string> header(std::string_view name) const;
};
