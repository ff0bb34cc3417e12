// One owned descriptor, closed when the object goes away.
#pragma once

#include <memory>

class clFD {
public:
    clFD() = default;
    // Takes ownership of the descriptor.
    explicit clFD(int fd) : mFD(fd) {}
    ~clFD();
    clFD(const clFD&) = delete;
    clFD& operator=(const clFD&) = delete;
    clFD(clFD&& other) noexcept : mFD(other.detach()) {}
    clFD& operator=(clFD&& other) noexcept;

    // Owns a duplicate of the descriptor; nothing when it cannot be duplicated. The copy is
    // close-on-exec: children are started from several threads, and an inheritable copy
    // would end up in whichever child starts next.
    static std::unique_ptr<clFD> withDupOfFD(int fd);

    int fd() const { return mFD; }
    bool isOpen() const { return mFD >= 0; }

    // Descriptor flags (F_GETFD/F_SETFD); -1 when they cannot be read.
    int flags() const;
    bool setFlags(int flags);
    // File status flags (F_GETFL/F_SETFL); -1 when they cannot be read.
    int statusFlags() const;
    bool setStatusFlags(int flags);
    bool closeOnExec() const;
    bool setCloseOnExec(bool on);
    bool nonBlocking() const;
    bool setNonBlocking(bool on);

    // Moves the descriptor to a number above 2 (keeping it close-on-exec) when it sits on a
    // standard stream's number, so it never takes a standard stream's place in a child.
    bool moveAboveStdStreams();

    // Answers the descriptor and forgets it without closing.
    int detach();
    void close();
    std::unique_ptr<clFD> duplicate() const { return withDupOfFD(mFD); }

private:
    int mFD = -1;
};
