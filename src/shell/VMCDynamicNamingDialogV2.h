// The dynamic naming dialog: the naming template edited as text with menus that insert
// elements and functions at the insertion point, presets, the folder the names start in,
// the template read back in words, and a live example of the name it gives.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <vector>

#include "NTag.h"
#include "VAStringTools.h"
#include "VMCDynamicNamingDialogV2_Context.h"
#include "XStr.h"

class VMCDynamicNamingDialogV2 {
public:
    class View {
    public:
        virtual ~View() = default;
        // The template, the insertion point, the example, the description, the base
        // location or a switch changed.
        virtual void namingDialogChanged() = 0;
        // A folder chooser (folders only, new folders allowed) starting at the folder
        // given; the answer goes to baseFolderChosen.
        virtual void runBaseFolderChooser(const XStr& startFolder) = 0;
        // The dialog ended with the code given (kOK or kCancel): the window goes.
        virtual void closeDialog(int code) = 0;
    };

    // One row of an insertion menu: a menu text ("&&" stands for "&") and what it inserts.
    // A row without label is a separator.
    struct MenuItem {
        XStr label;
        XStr text;
        bool separator() const { return label.empty(); }
    };
    struct Preset {
        XStr label;
        XStr pattern;
    };

    static constexpr int kOK = 1;
    static constexpr int kCancel = 0;
    // The placeholder of the audio properties in the sample example.
    static constexpr const char* kAudioPlaceholder = "#";

    // The template and the destination as the picker has them: the destination as people
    // read it (baseLocation) and its path (baseLocationURL).
    VMCDynamicNamingDialogV2(XStr curPattern, XStr baseLocation, XStr baseLocationURL,
                             VMCDynamicNamingDialogV2_Context context);

    void setView(View* view) { mView = view; }
    // Told once, with kOK or kCancel, when the dialog ends.
    void setOnEnd(std::function<void(int code)> onEnd) { mOnEnd = std::move(onEnd); }
    // The clock of the date fields of the examples.
    void setClock(std::function<std::time_t()> clock);
    const VMCDynamicNamingDialogV2_Context& context() const { return mContext; }

    const XStr& curPattern() const { return mCurPattern; }
    // The insertion point and the selection after it, in characters from 0.
    std::size_t cursor() const { return mCursor; }
    std::size_t selectionLength() const { return mSelectionLength; }
    // The user typed: the new text and where the insertion point is now.
    void setCurPattern(const XStr& pattern, std::size_t cursor);
    void setSelection(std::size_t start, std::size_t length);
    // Replaces the selection by the text; the insertion point goes after it.
    void insertString(const XStr& text);

    static const std::vector<MenuItem>& tagMenu();
    static const std::vector<MenuItem>& propertyMenu();
    // Spaces in its labels and texts are no-break spaces, so that no space can be lost.
    static const std::vector<MenuItem>& programmableMenu();
    // Each inserts the text of the row given; false for a separator or a row past the end.
    bool onAddTag(std::size_t row);
    bool onAddProperty(std::size_t row);
    bool onAddProgrammable(std::size_t row);

    // The presets, every backslash of their templates as "/".
    const std::vector<Preset>& lstExamples() const { return mExamples; }
    static std::vector<Preset> makeExamples();
    // The preset's template replaces the template.
    bool setExampleNaming(std::size_t row);

    // The template read back: elements by their names, functions apart, in colours.
    std::vector<VAStringTools::StyledRun> description() const;
    // The name the template gives the example, with the encoder's extension.
    const XStr& example() const { return mExample; }
    void refreshExample();
    // Whether a real source with its probe record is there to make the example from.
    bool haveCurrentMeta() const;
    bool exUseCurrentMeta() const { return mExUseCurrentMeta; }
    bool exCompilation() const { return mExCompilation; }
    bool exMultiDisc() const { return mExMultiDisc; }
    void setExUseCurrentMeta(bool on);
    void setExCompilation(bool on);
    void setExMultiDisc(bool on);
    // The tag set of the sample example.
    NTag sampleTags() const;

    const XStr& baseLocation() const { return mBaseLocation; }
    // Empty while the typed location does not name a folder.
    const XStr& baseLocationURL() const { return mBaseLocationURL; }
    // The user typed a location: a path, "~/..." or a shown form ("Videos/...").
    void setBaseLocation(const XStr& typed);
    void onSetBaseLocation();
    // The folder chooser ended: the folder, or nothing when cancelled.
    void baseFolderChosen(const std::optional<XStr>& folder);
    // The root, so that a template beginning with "[origpath]" rebuilds the sources' folders.
    void onBaseLocationToSourceDrive();
    // The folder a typed location stands for: "~" and shown forms expanded; nothing for an
    // empty or relative location.
    static std::optional<XStr> fixBaseLocationURL(const XStr& typed);

    // A template and a folder are there.
    bool okEnabled() const;
    // False while OK is not enabled.
    bool onOK();
    void onCancel();
    bool didEndDialog() const { return mDidEndDialog; }

private:
    bool insertFrom(const std::vector<MenuItem>& menu, std::size_t row);
    void endDialog(int code);
    void changed();

    XStr mCurPattern;
    std::size_t mCursor = 0;
    std::size_t mSelectionLength = 0;
    XStr mBaseLocation;
    XStr mBaseLocationURL;
    VMCDynamicNamingDialogV2_Context mContext;
    std::vector<Preset> mExamples;
    XStr mExample;
    bool mExUseCurrentMeta = false;
    bool mExCompilation = false;
    bool mExMultiDisc = false;
    bool mDiscInAlbum = false;
    bool mDidEndDialog = false;
    View* mView = nullptr;
    std::function<void(int)> mOnEnd;
    std::function<std::time_t()> mClock;
};
