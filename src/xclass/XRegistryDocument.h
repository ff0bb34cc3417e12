// The store's rules on its parsed document. Keys are object members, values are all other
// members, so a key and a value may share a name; names compare ignoring ASCII case and
// the first match in stored order wins. Paths are resolved lists, root first.
#pragma once

#include "XJSON.h"
#include "XStr.h"

namespace XRegistryDocument {

// The key the path leads to, or the shared empty object when a component is missing.
const XJSON::Object& FindKey(const XJSON::Object& document, const XStrList& path);
bool KeyExists(const XJSON::Object& document, const XStrList& path);
// The first value member of that name, or the shared null.
const XJSON::AnyType& FindValue(const XJSON::Object& key, const XStr& name);
bool HasValue(const XJSON::Object& key, const XStr& name);

// The changes answer whether the document changed.
bool SetValue(XJSON::Object& document, const XStrList& path, const XStr& name, XJSON::Owned value);
bool DeleteValue(XJSON::Object& document, const XStrList& path, const XStr& name);
bool DeleteKey(XJSON::Object& document, const XStrList& path, const XStr& name);
// A deep copy of the member at from replaces the first subkey at to, or is appended there.
bool CopyKey(XJSON::Object& document, const XStrList& from, const XStrList& to);

// Containers on the longest path down, the document itself included.
int Depth(const XJSON::AnyType& value);

}  // namespace XRegistryDocument
