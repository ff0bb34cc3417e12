#include "XHttpResponse.h"

#include "XCase.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::optional<std::string> XHttpResponse::header(std::string_view name) const {
    for (const std::string& line : headerLines) {
        if (line.size() <= name.size() || line[name.size()] != ':') {
            continue;
        }
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) {
            same = XCase::lower(line[i]) == XCase::lower(name[i]);
        }
        if (!same) {
            continue;
        }
        std::size_t begin = name.size() + 1;
        std::size_t end = line.size();
        while (begin < end && isBlank(line[begin])) {
            ++begin;
        }
        while (end > begin && isBlank(line[end - 1])) {
            --end;
        }
        return line.substr(begin, end - begin);
    }
    return std::nullopt;
}
