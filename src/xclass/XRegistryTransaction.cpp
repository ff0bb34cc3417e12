#include "XRegistryTransaction.h"

#include "XBase64.h"
#include "XRegistryReader.h"
#include "XRegistryStore.h"
#include "XRegistryTransactionImpl.h"

namespace {

using Record = XRegistryTransactionImpl::Record;

Record setRecord(const XStr& name, XJSON::Owned value, const XRegistryName& root,
                 const XRegistryName& path) {
    Record record;
    record.root = root;
    record.path = path;
    record.name = name;
    record.value = std::move(value);
    return record;
}

XJSON::Owned number(double value) {
    return std::make_unique<XJSON::Number>(value);
}

}  // namespace

XRegistryTransaction::XRegistryTransaction()
    : mImpl(std::make_unique<XRegistryTransactionImpl>()) {}
XRegistryTransaction::~XRegistryTransaction() = default;
XRegistryTransaction::XRegistryTransaction(XRegistryTransaction&& other) noexcept = default;
XRegistryTransaction& XRegistryTransaction::operator=(XRegistryTransaction&& other) noexcept =
    default;

void XRegistryTransaction::SetDWORD(const XStr& name, uint32_t value, const XRegistryName& root,
                                    const XRegistryName& path) {
    mImpl->Queue(setRecord(name, number(value), root, path));
}

void XRegistryTransaction::SetInt(const XStr& name, int32_t value, const XRegistryName& root,
                                  const XRegistryName& path) {
    mImpl->Queue(setRecord(name, number(value), root, path));
}

void XRegistryTransaction::SetInt64(const XStr& name, int64_t value, const XRegistryName& root,
                                    const XRegistryName& path) {
    mImpl->Queue(setRecord(name, number(static_cast<double>(value)), root, path));
}

void XRegistryTransaction::SetString(const XStr& name, const XStr& value, const XRegistryName& root,
                                     const XRegistryName& path) {
    mImpl->Queue(setRecord(name, std::make_unique<XJSON::String>(value), root, path));
}

void XRegistryTransaction::SetBinary(const XStr& name, const void* bytes, std::size_t length,
                                     const XRegistryName& root, const XRegistryName& path) {
    const XStr text(XBase64::encode(bytes, length));
    mImpl->Queue(setRecord(name, std::make_unique<XJSON::String>(text), root, path));
}

void XRegistryTransaction::SetStringList(const XStr& name, const XStrList& list,
                                         const XRegistryName& root, const XRegistryName& path) {
    auto array = std::make_unique<XJSON::Array>();
    array->Reserve(list.size());
    for (const XStr& item : list) {
        array->Add(std::make_unique<XJSON::String>(item));
    }
    mImpl->Queue(setRecord(name, std::move(array), root, path));
}

void XRegistryTransaction::DeleteValue(const XStr& name, const XRegistryName& root,
                                       const XRegistryName& path) {
    Record record = setRecord(name, nullptr, root, path);
    record.deleteValue = true;
    mImpl->Queue(std::move(record));
}

void XRegistryTransaction::DeleteKey(const XStr& name, const XRegistryName& root,
                                     const XRegistryName& path) {
    Record record = setRecord(name, nullptr, root, path);
    record.deleteKey = true;
    mImpl->Queue(std::move(record));
}

void XRegistryTransaction::CopyKey(const XStr& fromPath, const XStr& toPath,
                                   const XRegistryName& root) {
    Record record = setRecord(XStr(), nullptr, root, fromPath);
    record.copyKey = true;
    record.toPath = toPath;
    mImpl->Queue(std::move(record));
}

void XRegistryTransaction::Commit() {
    if (mImpl->Empty()) {
        return;
    }
    {
        XRegistryStore store(XRegistryStore::Mode::kExclusive);
        if (mImpl->ApplyTo(store.Document(), true)) {
            store.MarkChanged();
        }
    }
    mImpl->Clear();
}

bool XRegistryTransaction::Empty() const {
    return mImpl->Empty();
}

XRegistryReader XRegistryTransaction::Reader() const {
    XRegistryTransactionImpl* impl = mImpl.get();
    return XRegistryReader([impl](const XRegistryReader::Visitor& visit) {
        std::unique_ptr<XJSON::Object> document;
        {
            XRegistryStore store(XRegistryStore::Mode::kShared);
            document = store.TakeDocument();
        }
        impl->ApplyTo(*document, false);
        visit(*document);
    });
}

uint32_t XRegistryTransaction::GetDWORD(const XStr& name, const XRegistryName& root,
                                        const XRegistryName& path, bool* missing) const {
    return Reader().GetDWORD(name, root, path, missing);
}

int32_t XRegistryTransaction::GetInt(const XStr& name, const XRegistryName& root,
                                     const XRegistryName& path, bool* missing) const {
    return Reader().GetInt(name, root, path, missing);
}

int64_t XRegistryTransaction::GetInt64(const XStr& name, const XRegistryName& root,
                                       const XRegistryName& path, bool* missing) const {
    return Reader().GetInt64(name, root, path, missing);
}

XStr XRegistryTransaction::GetString(const XStr& name, const XRegistryName& root,
                                     const XRegistryName& path, bool* missing) const {
    return Reader().GetString(name, root, path, missing);
}

bool XRegistryTransaction::GetBinary(const XStr& name, std::vector<uint8_t>& buffer,
                                     const XRegistryName& root, const XRegistryName& path) const {
    return Reader().GetBinary(name, buffer, root, path);
}

bool XRegistryTransaction::GetBinaryFixed(const XStr& name, void* buffer, std::size_t size,
                                          const XRegistryName& root,
                                          const XRegistryName& path) const {
    return Reader().GetBinaryFixed(name, buffer, size, root, path);
}

bool XRegistryTransaction::GetStringList(const XStr& name, XStrList& list,
                                         const XRegistryName& root,
                                         const XRegistryName& path) const {
    return Reader().GetStringList(name, list, root, path);
}

bool XRegistryTransaction::ValueExists(const XStr& name, const XRegistryName& root,
                                       const XRegistryName& path) const {
    return Reader().ValueExists(name, root, path);
}

bool XRegistryTransaction::KeyExists(const XRegistryName& root, const XRegistryName& path) const {
    return Reader().KeyExists(root, path);
}

bool XRegistryTransaction::EnumKeys(const XRegistryName& root, const XRegistryName& path,
                                    XStrList& list) const {
    return Reader().EnumKeys(root, path, list);
}

bool XRegistryTransaction::EnumValues(const XRegistryName& root, const XRegistryName& path,
                                      XStrList& list) const {
    return Reader().EnumValues(root, path, list);
}
