// The program as the scheduler's host: leaving the panel and showing the status log both
// mean the conversion is over; the program prints the logs itself at the end.
#pragma once

#include "VMCProgressDialog.h"

class VCliHost : public VMCProgressHost {
public:
    void conversionAllDone() override { mDone = true; }
    void showStatusLog(const VMCStatusLogContext& /*context*/) override { mDone = true; }
    bool done() const { return mDone; }

private:
    bool mDone = false;
};
