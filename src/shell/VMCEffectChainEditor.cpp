#include "VMCEffectChainEditor.h"

#include "VADisplayText.h"
#include "VMCDSPPageIndex.h"
#include "VMCDSPPresetFile.h"

void VMCEffectChainEditor::setChain(const VADSPChain& chain) {
    mChain = chain;
    mEditing.reset();
    if (mView != nullptr) {
        mView->effectsChanged();
    }
}

XStr VMCEffectChainEditor::effectDetails(std::size_t index) const {
    if (index >= mChain.size()) {
        return {};
    }
    const XStr& args = mChain[index].args;
    return args.empty() ? XStr("Default settings") : VADisplayText::escaped(args);
}

bool VMCEffectChainEditor::chooseAddMenuItem(const VADSPMenu::Item& item) {
    switch (item.kind) {
        case VADSPMenu::Item::Kind::kEffect:
            return addEffect(item.title);
        case VADSPMenu::Item::Kind::kInstallMissing:
            if (mView != nullptr) {
                mView->showFFmpegInstall();
            }
            return true;
        case VADSPMenu::Item::Kind::kSeparator:
            break;
    }
    return false;
}

bool VMCEffectChainEditor::addEffect(const XStr& name) {
    if (settingsOpen()) {
        return false;
    }
    bool offered = false;
    for (const VADSPMenu::Item& item : addMenu()) {
        offered = offered || (item.kind == VADSPMenu::Item::Kind::kEffect && item.title == name);
    }
    if (!offered) {
        return false;
    }
    VADSPChain before = mChain;
    mChain.push_back(VADSPSpec{name, XStr()});
    changed();
    if (!openSettingsRestoring(mChain.size() - 1, before)) {
        mChain = std::move(before);
        changed();
        return false;
    }
    return true;
}

bool VMCEffectChainEditor::removeEffect(std::size_t index) {
    if (settingsOpen() || index >= mChain.size()) {
        return false;
    }
    mChain.erase(mChain.begin() + static_cast<std::ptrdiff_t>(index));
    changed();
    return true;
}

bool VMCEffectChainEditor::moveEffect(std::size_t from, std::size_t to) {
    if (settingsOpen() || from >= mChain.size() || to >= mChain.size()) {
        return false;
    }
    if (from == to) {
        return true;
    }
    VADSPSpec moved = std::move(mChain[from]);
    mChain.erase(mChain.begin() + static_cast<std::ptrdiff_t>(from));
    mChain.insert(mChain.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    changed();
    return true;
}

bool VMCEffectChainEditor::openSettings(std::size_t index) {
    return openSettingsRestoring(index, mChain);
}

bool VMCEffectChainEditor::openSettingsRestoring(std::size_t index, VADSPChain restore) {
    if (settingsOpen() || index >= mChain.size()) {
        return false;
    }
    std::unique_ptr<VMCDSPPage> page = VMCDSPPageIndex::createFor(mChain[index].name);
    if (!page) {
        alert(kInternalError);
        return false;
    }
    page->setDspArgs(mChain[index].args);
    mEditing = index;
    mChainBeforeSettings = std::move(restore);
    if (mView != nullptr) {
        mView->runEffectSettings(std::move(page), mChain[index].name);
    }
    return true;
}

void VMCEffectChainEditor::effectSettingsDone(bool ok, const XStr& args) {
    if (!mEditing) {
        return;
    }
    const std::size_t index = *mEditing;
    mEditing.reset();
    if (ok && index < mChain.size()) {
        mChain[index].args = args;
    } else if (!ok) {
        mChain = mChainBeforeSettings;
    }
    changed();
}

void VMCEffectChainEditor::askSavePreset() {
    if (mView != nullptr && !settingsOpen()) {
        mView->runPresetChooser(true, kSaveTitle);
    }
}

void VMCEffectChainEditor::askLoadPreset() {
    if (mView != nullptr && !settingsOpen()) {
        mView->runPresetChooser(false, kLoadTitle);
    }
}

bool VMCEffectChainEditor::savePresetTo(const XStr& path) {
    XStr why;
    if (!VMCDSPPresetFile::save(path, mChain, &why)) {
        alert("The effects could not be saved to " + VADisplayText::quoted(path) + ": " + why +
              ".");
        return false;
    }
    return true;
}

bool VMCEffectChainEditor::loadPresetFrom(const XStr& path) {
    if (settingsOpen()) {
        return false;
    }
    XStr why;
    std::optional<VADSPChain> chain = VMCDSPPresetFile::load(path, &why);
    if (!chain) {
        alert("The effects could not be loaded from " + VADisplayText::quoted(path) + ": " + why +
              ".");
        return false;
    }
    mChain = std::move(*chain);
    changed();
    return true;
}

void VMCEffectChainEditor::changed() {
    if (mView != nullptr) {
        mView->effectsChanged();
    }
    if (mOnChanged) {
        mOnChanged();
    }
}

void VMCEffectChainEditor::alert(const XStr& message) const {
    if (mView != nullptr) {
        mView->showAlert(message);
    }
}
