// Turns a byte stream, fed in chunks of any size, into text lines. A line ends at LF, at
// CR LF (one line end, even when split across chunks) or at a lone CR. NUL bytes are
// dropped. A UTF-8 byte-order mark at the start of a line is dropped; an EF that does not
// begin one stays. Lines are decoded as UTF-8.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "XStr.h"

class clLineSplitter {
public:
    using Handler = std::function<void(XStr&)>;

    explicit clLineSplitter(Handler handler) : mHandler(std::move(handler)) {}

    void feed(const char* bytes, std::size_t count);
    // End of input: a last line without a line end is delivered now.
    void finish();

private:
    void feedByte(unsigned char c);
    void flushMarkPrefix();
    void endLine();

    Handler mHandler;
    std::string mLine;
    bool mAfterCR = false;
    // No byte of the current line seen yet, so a byte-order mark may still come.
    bool mAtLineStart = true;
    // How many bytes of a byte-order mark have been matched at the start of this line.
    int mMarkMatched = 0;
};
