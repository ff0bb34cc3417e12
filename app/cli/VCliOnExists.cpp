#include "VCliOnExists.h"

#include <memory>

#include "VADisplayText.h"
#include "VCliText.h"
#include "VMCFileAlreadyExistsDialog.h"

namespace {

std::optional<VCliOnExists::Policy> ask(VMCFileAlreadyExistsDialog& sheet, std::istream& in,
                                        std::ostream& out) {
    out << (sheet.count() == 1 ? "This output exists already:\n"
                               : "These outputs exist already:\n");
    for (std::size_t item = 0; item < sheet.count(); ++item) {
        out << "  " << VADisplayText::utf8(sheet.displayPath(item)) << '\n';
    }
    for (;;) {
        out << VCliOnExists::kQuestion;
        out.flush();
        std::string answer;
        if (!std::getline(in, answer)) {
            out << '\n';
            return std::nullopt;
        }
        const XStr a = XStr(answer).trimmed().lowerASCII();
        if (a == "o" || a == "overwrite") {
            return VCliOnExists::Policy::kOverwrite;
        }
        if (a == "s" || a == "skip") {
            return VCliOnExists::Policy::kSkip;
        }
        if (a == "r" || a == "rename") {
            return VCliOnExists::Policy::kRename;
        }
        if (a == "c" || a == "cancel") {
            return std::nullopt;
        }
    }
}

}  // namespace

std::optional<VCliOnExists::Policy> VCliOnExists::parse(const std::string& word) {
    if (word == "ask") {
        return Policy::kAsk;
    }
    if (word == "overwrite") {
        return Policy::kOverwrite;
    }
    if (word == "skip") {
        return Policy::kSkip;
    }
    if (word == "rename") {
        return Policy::kRename;
    }
    return std::nullopt;
}

VCliOnExists::Outcome VCliOnExists::resolve(Policy policy, VMCCheckFilenamesState& state,
                                            bool terminal, std::istream& in, std::ostream& out) {
    Outcome outcome;
    // No view: the command line reads the state itself once a button is pressed.
    auto sheet = std::make_shared<VMCFileAlreadyExistsDialog>(
        std::shared_ptr<VMCCheckFilenamesState>(&state, [](VMCCheckFilenamesState*) {}), nullptr);
    if (sheet->count() == 0) {
        return outcome;
    }
    const std::size_t before = state.numItemsChecked();
    const XStr existing = VCliText::count(sheet->count(), "output");
    if (policy == Policy::kAsk) {
        if (!terminal) {
            sheet->onButtonNoToAll();
            outcome.skipped = static_cast<uint32_t>(before - state.numItemsChecked());
            outcome.note = existing.utf8() +
                           " exist already and are skipped; --on-exists overwrite or rename "
                           "converts them";
            if (sheet->count() == 1) {
                outcome.note =
                    "1 output exists already and is skipped; --on-exists overwrite or "
                    "rename converts it";
            }
            return outcome;
        }
        const std::optional<Policy> chosen = ask(*sheet, in, out);
        if (!chosen) {
            sheet->onButtonCancel();
            outcome.cancelled = true;
            outcome.note = "Cancelled; nothing was converted";
            return outcome;
        }
        policy = *chosen;
    }
    switch (policy) {
        case Policy::kOverwrite:
            sheet->onButtonOverwrite();
            outcome.note = existing.utf8() + " that exist already will be overwritten";
            break;
        case Policy::kSkip:
            sheet->onButtonNoToAll();
            outcome.skipped = static_cast<uint32_t>(before - state.numItemsChecked());
            outcome.note = existing.utf8() + " that exist already are skipped";
            break;
        case Policy::kRename:
            sheet->onMenuAppendDate();
            sheet->onButtonOverwrite();
            outcome.note = existing.utf8() + " that exist already get the date in their names";
            break;
        case Policy::kAsk:
            break;
    }
    return outcome;
}
