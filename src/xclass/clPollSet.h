// Three ordered sets of descriptors (read, write, error) waited on with one poll. After a
// wait each set holds only the descriptors that turned out ready for it.
#pragma once

#include <set>

class clPollSet {
public:
    void addRead(int fd) { mRead.insert(fd); }
    void addWrite(int fd) { mWrite.insert(fd); }
    void addError(int fd) { mError.insert(fd); }
    void clear();

    bool isRead(int fd) const { return mRead.count(fd) != 0; }
    bool isWrite(int fd) const { return mWrite.count(fd) != 0; }
    bool isError(int fd) const { return mError.count(fd) != 0; }
    const std::set<int>& readSet() const { return mRead; }
    const std::set<int>& writeSet() const { return mWrite; }
    const std::set<int>& errorSet() const { return mError; }

    // Timeout in milliseconds, -1 without limit, 0 to test. Answers poll's count of ready
    // descriptors, or -1 when poll fails (the sets are then empty).
    int wait(int timeoutMs);

private:
    std::set<int> mRead;
    std::set<int> mWrite;
    std::set<int> mError;
};
