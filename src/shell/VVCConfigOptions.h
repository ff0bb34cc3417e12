// The converter's options: user profiles, the audio-only formats of the batch converter,
// beta updates, the FFmpeg debug log of this run, and the way to the file-name character
// rules. The stored switches are read when the view loads and all written when it goes.
#pragma once

#include "XStr.h"

class VVCConfigOptions {
public:
    class View {
    public:
        virtual ~View() = default;
        // Opens the file-name character rules as a sheet on the options window.
        virtual void runFileNameOptions() = 0;
    };

    static constexpr const char* kValueShowAudioOnly = "ShowAudioOnly";
    static constexpr const char* kValueCheckBetaUpdates = "CheckBetaUpdates";

    void setView(View* view) { mView = view; }

    // Reads the stored switches; a missing value reads as off.
    void viewDidLoad();
    // Writes the three stored switches, touched or not, in one transaction.
    void viewWillDisappear() const;

    bool enableProfiles() const { return mEnableProfiles; }
    void setEnableProfiles(bool on) { mEnableProfiles = on; }
    bool showAudioOnly() const { return mShowAudioOnly; }
    void setShowAudioOnly(bool on) { mShowAudioOnly = on; }
    bool checkForBetaUpdates() const { return mCheckForBetaUpdates; }
    void setCheckForBetaUpdates(bool on) { mCheckForBetaUpdates = on; }
    bool suppressCheckForBetaUpdates() const { return false; }
    bool suppressShowAudioOnly() const { return false; }

    // Whether FFmpeg runs started from now on write a debug log (the process's environment,
    // never stored).
    static bool converterDebug();
    // On keeps a value already there; off removes it whatever it held.
    static void setConverterDebug(bool on);

    void onSetRestrictedCharacters();

private:
    View* mView = nullptr;
    bool mEnableProfiles = false;
    bool mShowAudioOnly = false;
    bool mCheckForBetaUpdates = false;
};
