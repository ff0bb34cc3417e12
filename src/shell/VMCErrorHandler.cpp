#include "VMCErrorHandler.h"

#include <cxxabi.h>
#include <execinfo.h>
#include <unistd.h>

#include <cstdlib>
#include <typeinfo>

#include "VAAppDataFolder.h"
#include "VASystemVersion.h"
#include "VMCBugEntryFile.h"
#include "XFile.h"

namespace {

VMCErrorHandler::Presenter& presenter() {
    static VMCErrorHandler::Presenter shown;
    return shown;
}

XStr demangled(const char* name) {
    int status = 0;
    char* readable = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    XStr out(status == 0 && readable != nullptr ? readable : name);
    std::free(readable);
    return out;
}

// std::throw_with_nested wraps the exception in a type of the library's own; the report
// names the one that was thrown.
XStr thrownName(const std::type_info& type) {
    const XStr name = demangled(type.name());
    const XStr wrapper = "std::_Nested_exception<";
    if (name.startsWith(wrapper) && name.endsWith(">")) {
        return name.substr(wrapper.size(), name.size() - wrapper.size() - 1);
    }
    return name;
}

XStrList callStack() {
    void* frames[64];
    const int count = backtrace(frames, 64);
    XStrList lines;
    char** symbols = backtrace_symbols(frames, count);
    if (symbols == nullptr) {
        return lines;
    }
    for (int i = 0; i < count; ++i) {
        lines.push_back(XStr(symbols[i]));
    }
    std::free(symbols);
    return lines;
}

// The exceptions nested in this one, innermost last, one line each.
void describeNested(const std::exception& outer, XStr& lines) {
    try {
        std::rethrow_if_nested(outer);
    } catch (const std::exception& inner) {
        lines += "caused by " + thrownName(typeid(inner)) + ": " + XStr(inner.what()) + "\n";
        describeNested(inner, lines);
    } catch (...) {
        lines += "caused by an exception of another kind\n";
    }
}

}  // namespace

XStr VMCErrorHandler::content() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mContent;
}

void VMCErrorHandler::setContent(XStr content) {
    const std::lock_guard<std::mutex> lock(mMutex);
    mContent = std::move(content);
}

bool VMCErrorHandler::onSave(const XStr& path) const {
    const std::string bytes = content().utf8();
    return XFile::RewriteFile(path, bytes.data(), bytes.size());
}

XStr VMCErrorHandler::reportText(const Exception& exception) {
    XStr text = "Exception name: " + exception.name + "\n";
    text += "Exception reason: " + exception.reason + "\n";
    if (!exception.additionalInformation.empty()) {
        text += "Additional information:\n";
        XStr info = exception.additionalInformation;
        if (info.endsWith("\n")) {
            info = info.substr(0, info.size() - 1);
        }
        for (const XStr& line : info.split(U'\n')) {
            text += "  " + line + "\n";
        }
    }
    text += "Trace:\n";
    for (const XStr& line : exception.trace) {
        text += "  " + line + "\n";
    }
    return text;
}

VMCErrorHandler::Exception VMCErrorHandler::describeCurrentException() {
    Exception out;
    out.trace = callStack();
    const std::exception_ptr current = std::current_exception();
    if (!current) {
        out.name = "no exception";
        return out;
    }
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& e) {
        out.name = thrownName(typeid(e));
        out.reason = XStr(e.what());
        describeNested(e, out.additionalInformation);
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        out.name = type != nullptr ? thrownName(*type) : XStr("unknown exception");
    }
    return out;
}

XStr VMCErrorHandler::versionsText() {
    return "\n\nApp version: " + VASystemVersion::appVersion() +
           "\nOS version: " + VASystemVersion::osVersion();
}

std::optional<XStr> VMCErrorHandler::writeReportFile(const XStr& report) {
    const std::string folder = VAAppDataFolder::path().utf8();
    char path[VMCBugEntryFile::kMaxPath];
    const int fd = VMCBugEntryFile::create(folder.c_str(), path);
    if (fd < 0) {
        return std::nullopt;
    }
    const std::string bytes = report.utf8();
    const bool written = VMCBugEntryFile::writeAll(fd, bytes.data(), bytes.size());
    close(fd);
    return written ? std::optional<XStr>(XStr(path)) : std::nullopt;
}

void VMCErrorHandler::handleCurrentException() {
    const XStr report = reportText(describeCurrentException());
    // A report that cannot be kept is still shown.
    writeReportFile(report);
    handleErrorText(report);
}

void VMCErrorHandler::handleErrorText(const XStr& text) {
    auto handler = std::make_shared<VMCErrorHandler>(text + versionsText());
    if (presenter()) {
        presenter()(handler);
    }
}

void VMCErrorHandler::setPresenter(Presenter shown) {
    presenter() = std::move(shown);
}
