// What a file information cache holds for one file: the probe record itself, or what a
// transform made of it (the column values of a list, for one).
#pragma once

class VAFileInfoObject {
public:
    virtual ~VAFileInfoObject() = default;
};
