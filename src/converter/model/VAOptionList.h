// An ordered list of FFmpeg-style options (name, value): the syntax of every encoder
// argument text, effect argument text and stored settings text. Names may repeat; names
// compare with ASCII case ignored.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "VAElemValue.h"
#include "XStr.h"

class VAOptionList {
public:
    VAOptionList() = default;

    // The text is split into arguments; the first argument without any "-" ends the list.
    static VAOptionList ParseOptions(const XStr& argumentText);
    // "-name value" pairs joined by one blank; values holding a comma or a blank are
    // quoted. Backslashes and double quotes in values are escaped, and a value beginning
    // with "-" is written "-name=value", so that ParseOptions reads back the same list.
    static XStr WriteOptions(const VAOptionList& list);
    // Takes every option of that name out of the text and answers their non-empty values
    // joined by ", ". The text is always replaced by the written-back rest.
    static XStr ExtractOption(const XStr& name, XStr& argumentText);
    // Joins the non-empty values of every option of that name into one option at the place
    // of the first; the result is always the written-back list.
    static XStr MergeOption(const XStr& name, const XStr& argumentText);
    // The value of the first option of that name.
    static std::optional<XStr> LookupOption(const VAOptionList& list, const XStr& name);

    std::size_t size() const { return mPairs.size(); }
    bool empty() const { return mPairs.empty(); }
    const VAElemValue& operator[](std::size_t i) const { return mPairs[i]; }
    const std::vector<VAElemValue>& pairs() const { return mPairs; }
    auto begin() const { return mPairs.begin(); }
    auto end() const { return mPairs.end(); }

    void append(XStr name, XStr value);
    void append(const VAOptionList& other);
    // Removes every pair of that name; answers how many went.
    std::size_t removeAll(const XStr& name);

    friend bool operator==(const VAOptionList&, const VAOptionList&) = default;

private:
    std::vector<VAElemValue> mPairs;
};
