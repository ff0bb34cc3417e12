// A run's reports as they came, for tests; safe to call from the run's threads.
#pragma once

#include <mutex>
#include <vector>

#include "VMCStatusCallback.h"

class RecordingCallback : public VMCStatusCallback {
public:
    void onLengthMS(int64_t ms) override {
        std::lock_guard<std::mutex> lock(mMutex);
        lengths.push_back(ms);
    }
    void onPercentDone(int32_t percent) override {
        std::lock_guard<std::mutex> lock(mMutex);
        percents.push_back(percent);
    }
    void onFPS(double fps) override {
        std::lock_guard<std::mutex> lock(mMutex);
        fpsValues.push_back(fps);
    }
    void onInfoLine(const XStr& line) override {
        std::lock_guard<std::mutex> lock(mMutex);
        infos.push_back(line);
    }
    void onErrorLine(const XStr& line) override {
        std::lock_guard<std::mutex> lock(mMutex);
        errors.push_back(line);
    }
    bool infoContains(const XStr& text) const {
        std::lock_guard<std::mutex> lock(mMutex);
        for (const XStr& line : infos) {
            if (line.contains(text)) {
                return true;
            }
        }
        return false;
    }
    // The FFmpeg command: the info line that follows any codec-map lines.
    XStr command() const {
        std::lock_guard<std::mutex> lock(mMutex);
        for (std::size_t i = 0; i + 1 < infos.size(); ++i) {
            if (infos[i + 1] == "Encoding loop...") {
                return infos[i];
            }
        }
        return {};
    }

    std::vector<int64_t> lengths;
    std::vector<int32_t> percents;
    std::vector<double> fpsValues;
    XStrList infos;
    XStrList errors;

private:
    mutable std::mutex mMutex;
};
