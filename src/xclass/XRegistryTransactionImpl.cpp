#include "XRegistryTransactionImpl.h"

#include "XRegistryDocument.h"

bool XRegistryTransactionImpl::ApplyTo(XJSON::Object& document, bool consume) {
    bool changed = false;
    for (Record& record : mRecords) {
        if (record.copyKey) {
            changed |= XRegistryDocument::CopyKey(
                document, XRegistryKeyPath::Resolve(record.root, record.path),
                XRegistryKeyPath::Resolve(record.root, record.toPath));
            continue;
        }
        const XStrList keyPath = XRegistryKeyPath::Resolve(record.root, record.path);
        if (record.deleteValue) {
            changed |= XRegistryDocument::DeleteValue(document, keyPath, record.name);
        } else if (record.deleteKey) {
            changed |= XRegistryDocument::DeleteKey(document, keyPath, record.name);
        } else {
            XJSON::Owned value = consume        ? std::move(record.value)
                                 : record.value ? record.value->Clone()
                                                : nullptr;
            changed |=
                XRegistryDocument::SetValue(document, keyPath, record.name, std::move(value));
        }
    }
    return changed;
}
