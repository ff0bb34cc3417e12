#include "XRegistryDocument.h"

#include <algorithm>

#include "XAssert.h"

namespace XRegistryDocument {

namespace {

bool isKey(const XJSON::AnyType& value) {
    return value.TypeOf() == XJSON::typeObject;
}

// The index of the first member of that name that is (or is not) a key; npos when none.
std::size_t indexOf(const XJSON::Object& parent, const XStr& name, bool key) {
    for (std::size_t i = 0; i < parent.Count(); ++i) {
        if (isKey(parent.ValueAt(i)) == key && parent.NameAt(i).equalsNoCase(name)) {
            return i;
        }
    }
    return XStr::npos;
}

// The key reached through the first count components, or nothing.
template <typename Object>
Object* walk(Object& document, const XStrList& path, std::size_t count) {
    Object* key = &document;
    for (std::size_t c = 0; c < count; ++c) {
        const std::size_t i = indexOf(*key, path[c], true);
        if (i == XStr::npos) {
            return nullptr;
        }
        key = &key->ValueAt(i).AsObject();
    }
    return key;
}

XJSON::Object& walkCreating(XJSON::Object& document, const XStrList& path, std::size_t count) {
    XJSON::Object* key = &document;
    for (std::size_t c = 0; c < count; ++c) {
        const std::size_t i = indexOf(*key, path[c], true);
        key = i == XStr::npos ? &key->AddObject(path[c]) : &key->ValueAt(i).AsObject();
    }
    return *key;
}

}  // namespace

const XJSON::Object& FindKey(const XJSON::Object& document, const XStrList& path) {
    const XJSON::Object* key = walk(document, path, path.size());
    return key != nullptr ? *key : XJSON::EmptyObject();
}

bool KeyExists(const XJSON::Object& document, const XStrList& path) {
    return walk(document, path, path.size()) != nullptr;
}

const XJSON::AnyType& FindValue(const XJSON::Object& key, const XStr& name) {
    return key.ValueAt(indexOf(key, name, false));
}

bool HasValue(const XJSON::Object& key, const XStr& name) {
    return indexOf(key, name, false) != XStr::npos;
}

bool SetValue(XJSON::Object& document, const XStrList& path, const XStr& name, XJSON::Owned value) {
    XJSON::Owned content = value ? std::move(value) : std::make_unique<XJSON::Null>();
    XASSERT_TEXT(content->TypeOf() != XJSON::typeObject, "Content->TypeOf() != XJSON::typeObject");
    XJSON::Object& key = walkCreating(document, path, path.size());
    const std::size_t i = indexOf(key, name, false);
    if (i == XStr::npos) {
        key.Add(name, std::move(content));
    } else {
        key.SetAt(i, std::move(content));
    }
    return true;
}

bool DeleteValue(XJSON::Object& document, const XStrList& path, const XStr& name) {
    XJSON::Object* key = walk(document, path, path.size());
    const std::size_t i = key != nullptr ? indexOf(*key, name, false) : XStr::npos;
    if (i == XStr::npos) {
        return false;
    }
    key->RemoveAt(i);
    return true;
}

bool DeleteKey(XJSON::Object& document, const XStrList& path, const XStr& name) {
    XJSON::Object* key = walk(document, path, path.size());
    const std::size_t i = key != nullptr ? indexOf(*key, name, true) : XStr::npos;
    if (i == XStr::npos) {
        return false;
    }
    key->RemoveAt(i);
    return true;
}

bool CopyKey(XJSON::Object& document, const XStrList& from, const XStrList& to) {
    // A root itself is never copied or replaced: both paths need a key below their root.
    if (from.size() < 2 || to.size() < 2) {
        return false;
    }
    const XJSON::Object* sourceParent =
        walk(static_cast<const XJSON::Object&>(document), from, from.size() - 1);
    if (sourceParent == nullptr) {
        return false;
    }
    const std::size_t s = sourceParent->IndexOf(from.back(), true);
    if (s == XStr::npos) {
        return false;
    }
    // Copied before the destination is touched, which may lie inside the source.
    XJSON::Owned copy = sourceParent->ValueAt(s).Clone();
    XJSON::Object& destinationParent = walkCreating(document, to, to.size() - 1);
    const std::size_t d = indexOf(destinationParent, to.back(), true);
    if (d == XStr::npos) {
        destinationParent.Add(to.back(), std::move(copy));
    } else {
        destinationParent.SetAt(d, std::move(copy));
    }
    return true;
}

int Depth(const XJSON::AnyType& value) {
    int deepest = 0;
    if (value.TypeOf() == XJSON::typeObject) {
        const XJSON::Object& object = value.AsObject();
        for (std::size_t i = 0; i < object.Count(); ++i) {
            deepest = std::max(deepest, Depth(object.ValueAt(i)));
        }
        return deepest + 1;
    }
    if (value.TypeOf() == XJSON::typeArray) {
        const XJSON::Array& array = value.AsArray();
        for (std::size_t i = 0; i < array.Count(); ++i) {
            deepest = std::max(deepest, Depth(array.At(i)));
        }
        return deepest + 1;
    }
    return 0;
}

}  // namespace XRegistryDocument
