#include "VAOptionList.h"

#include <algorithm>

#include "VACommandText.h"

namespace {

XStr writeValue(const XStr& value) {
    const XStr escaped = VACommandText::Escape(value);
    if (value.contains(U',') || value.contains(U' ')) {
        return "\"" + escaped + "\"";
    }
    return escaped;
}

XStr writePair(const VAElemValue& pair) {
    XStr out = VACommandText::OptionName(pair.element);
    if (pair.value.empty()) {
        return out;
    }
    // A value beginning with "-" is still written apart: FFmpeg needs "-itsoffset -0.5"
    // as two arguments, even though a later parse reads the value as an option of its own.
    out += U' ';
    out += writeValue(pair.value);
    return out;
}

// Empty values are left out: joined in, they would make a chain such as "a, " that FFmpeg
// rejects.
XStr joinValues(const std::vector<XStr>& values) {
    std::vector<XStr> present;
    for (const XStr& value : values) {
        if (!value.empty()) {
            present.push_back(value);
        }
    }
    return XStr::join(present, ", ");
}

}  // namespace

VAOptionList VAOptionList::ParseOptions(const XStr& argumentText) {
    const XStrList args = VACommandText::Split(argumentText);
    VAOptionList list;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const XStr& arg = args[i];
        const std::size_t dash = arg.find(U'-');
        if (dash == XStr::npos) {
            break;
        }
        std::size_t start = dash + 1;
        if (start < arg.size() && arg[start] == U'-') {
            ++start;
        }
        const std::size_t eq = arg.find(U'=', start);
        if (eq != XStr::npos) {
            list.append(arg.substr(start, eq - start), arg.substr(eq + 1));
            continue;
        }
        XStr value;
        if (i + 1 < args.size() && !args[i + 1].startsWith("-")) {
            value = args[++i];
        }
        list.append(arg.substr(start), std::move(value));
    }
    return list;
}

XStr VAOptionList::WriteOptions(const VAOptionList& list) {
    XStr out;
    for (const VAElemValue& pair : list.mPairs) {
        if (!out.empty()) {
            out += U' ';
        }
        out += writePair(pair);
    }
    return out;
}

XStr VAOptionList::ExtractOption(const XStr& name, XStr& argumentText) {
    const VAOptionList list = ParseOptions(argumentText);
    VAOptionList rest;
    std::vector<XStr> taken;
    for (const VAElemValue& pair : list.mPairs) {
        if (pair.element.equalsNoCase(name)) {
            taken.push_back(pair.value);
        } else {
            rest.mPairs.push_back(pair);
        }
    }
    argumentText = WriteOptions(rest);
    return joinValues(taken);
}

XStr VAOptionList::MergeOption(const XStr& name, const XStr& argumentText) {
    const VAOptionList list = ParseOptions(argumentText);
    std::vector<XStr> values;
    for (const VAElemValue& pair : list.mPairs) {
        if (pair.element.equalsNoCase(name)) {
            values.push_back(pair.value);
        }
    }
    const XStr joined = joinValues(values);
    if (joined.empty()) {
        return WriteOptions(list);
    }
    VAOptionList merged;
    bool placed = false;
    for (const VAElemValue& pair : list.mPairs) {
        if (!pair.element.equalsNoCase(name)) {
            merged.mPairs.push_back(pair);
        } else if (!placed) {
            merged.append(name, joined);
            placed = true;
        }
    }
    return WriteOptions(merged);
}

std::optional<XStr> VAOptionList::LookupOption(const VAOptionList& list, const XStr& name) {
    for (const VAElemValue& pair : list.mPairs) {
        if (pair.element.equalsNoCase(name)) {
            return pair.value;
        }
    }
    return std::nullopt;
}

void VAOptionList::append(XStr name, XStr value) {
    mPairs.push_back(VAElemValue{std::move(name), std::move(value)});
}

void VAOptionList::append(const VAOptionList& other) {
    mPairs.insert(mPairs.end(), other.mPairs.begin(), other.mPairs.end());
}

std::size_t VAOptionList::removeAll(const XStr& name) {
    return std::erase_if(
        mPairs, [&name](const VAElemValue& pair) { return pair.element.equalsNoCase(name); });
}
