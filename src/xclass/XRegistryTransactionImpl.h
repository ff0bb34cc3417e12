// The queue of a transaction: write operations in the order they were asked for, each
// holding its value until commit.
#pragma once

#include <vector>

#include "XJSON.h"
#include "XRegistryKeyPath.h"

class XRegistryTransactionImpl {
public:
    struct Record {
        XRegistryName root;
        XRegistryName path;
        XStr name;
        XJSON::Owned value;
        bool deleteValue = false;
        bool deleteKey = false;
        bool copyKey = false;
        // For a copy: path is the source, toPath the destination.
        XStr toPath;
    };

    void Queue(Record record) { mRecords.push_back(std::move(record)); }
    bool Empty() const { return mRecords.empty(); }
    std::size_t Count() const { return mRecords.size(); }
    void Clear() { mRecords.clear(); }

    // Applies every record in order. Consuming hands the held values over to the document;
    // otherwise they are copied and the queue stays as it is. Answers whether anything
    // changed.
    bool ApplyTo(XJSON::Object& document, bool consume);

private:
    std::vector<Record> mRecords;
};
