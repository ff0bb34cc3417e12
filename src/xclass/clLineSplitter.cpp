#include "clLineSplitter.h"

namespace {

constexpr unsigned char kByteOrderMark[3] = {0xEF, 0xBB, 0xBF};

}  // namespace

void clLineSplitter::feed(const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        feedByte(static_cast<unsigned char>(bytes[i]));
    }
}

void clLineSplitter::feedByte(unsigned char c) {
    if (mAfterCR) {
        mAfterCR = false;
        if (c == '\n') {
            return;
        }
    }
    if (c == 0) {
        return;
    }
    if (mMarkMatched > 0) {
        if (c == kByteOrderMark[mMarkMatched]) {
            if (++mMarkMatched == 3) {
                mMarkMatched = 0;
            }
            return;
        }
        flushMarkPrefix();
    } else if (mAtLineStart) {
        mAtLineStart = false;
        if (c == kByteOrderMark[0]) {
            mMarkMatched = 1;
            return;
        }
    }
    if (c == '\n') {
        endLine();
    } else if (c == '\r') {
        endLine();
        mAfterCR = true;
    } else {
        mLine.push_back(static_cast<char>(c));
    }
}

void clLineSplitter::flushMarkPrefix() {
    mLine.append(reinterpret_cast<const char*>(kByteOrderMark), mMarkMatched);
    mMarkMatched = 0;
}

void clLineSplitter::endLine() {
    flushMarkPrefix();
    XStr line = XStr::fromUtf8(mLine);
    mLine.clear();
    mAtLineStart = true;
    if (mHandler) {
        mHandler(line);
    }
}

void clLineSplitter::finish() {
    mAfterCR = false;
    if (!mLine.empty() || mMarkMatched > 0) {
        endLine();
    }
    mAtLineStart = true;
}
