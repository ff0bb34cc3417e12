// An owned list of named objects: insertion order, duplicates allowed, the first match
// of a name wins.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "XStr.h"

template <typename T>
class XObj {
public:
    struct Item {
        XStr name;
        std::unique_ptr<T> object;
    };

    T& add(XStr name, std::unique_ptr<T> object) {
        mItems.push_back(Item{std::move(name), std::move(object)});
        return *mItems.back().object;
    }
    // The first object of that name (exact comparison), or none.
    T* find(const XStr& name) const {
        for (const Item& item : mItems) {
            if (item.name == name) {
                return item.object.get();
            }
        }
        return nullptr;
    }
    bool remove(const XStr& name) {
        for (auto it = mItems.begin(); it != mItems.end(); ++it) {
            if (it->name == name) {
                mItems.erase(it);
                return true;
            }
        }
        return false;
    }
    std::size_t size() const { return mItems.size(); }
    bool empty() const { return mItems.empty(); }
    const Item& operator[](std::size_t i) const { return mItems[i]; }
    auto begin() const { return mItems.begin(); }
    auto end() const { return mItems.end(); }

private:
    std::vector<Item> mItems;
};
