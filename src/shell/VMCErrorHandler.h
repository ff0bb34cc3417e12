// The bug report: what went wrong, as plain text, kept as a file in the application data
// folder and shown in a window from which the user saves a copy or opens the support
// forum. The window belongs to the desktop program; it registers how it shows a report
// (setPresenter), and the controller stays alive as long as its window holds it.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "XStr.h"

class VMCErrorHandler {
public:
    // What a report says about an exception.
    struct Exception {
        XStr name;
        XStr reason;
        // The printed description of what the exception carries besides; empty for none.
        XStr additionalInformation;
        XStrList trace;
    };

    using Presenter = std::function<void(const std::shared_ptr<VMCErrorHandler>& handler)>;

    static constexpr const char* kWindowName = "VMCErrorHandler";
    static constexpr const char* kSaveTitle = "Save bug report";
    static constexpr const char* kSaveFileType = "txt";
    static constexpr const char* kSupportURL = "https://www.quillmere.com/forum/";

    explicit VMCErrorHandler(XStr content) : mContent(std::move(content)) {}

    // The report as the window shows it; any thread may ask.
    XStr content() const;
    void setContent(XStr content);
    // Writes the report to the file the user chose, UTF-8, so that the file holds either
    // its old content or the whole report; false when it could not be written.
    bool onSave(const XStr& path) const;
    static XStr supportURL() { return kSupportURL; }

    // Name, reason, any additional information and the trace, one per line.
    static XStr reportText(const Exception& exception);
    // The same for the exception being handled in a catch block: its type and message,
    // the exceptions nested in it as additional information, and the trace of where it
    // was caught.
    static Exception describeCurrentException();
    // The program's and the system's version, appended when the window opens.
    static XStr versionsText();
    // The report written to the next free report file of the data folder (not atomically:
    // there may be no time for more); its path, or nothing when it could not be written.
    static std::optional<XStr> writeReportFile(const XStr& report);

    // Reports the exception being handled in a catch block: the report file, then the
    // window.
    static void handleCurrentException();
    // Shows the text, the versions appended, in a window of its own.
    static void handleErrorText(const XStr& text);

    // How the program shows a report; without one, reports are only written.
    static void setPresenter(Presenter presenter);

private:
    mutable std::mutex mMutex;
    XStr mContent;
};
