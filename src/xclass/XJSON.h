// The library's JSON document: a tree of typed values, a lenient parser from wide text,
// a renderer with the library's own layout, and whole-file read and write.
//
// Lookups never answer "no value": a miss gives the shared null, a typed accessor of the
// wrong type gives the shared empty value of the asked type, so lookups chain without
// tests. The shared values must never be changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "XStr.h"

class XJSON {
public:
    enum Type {
        typeObject = 0,
        typeArray = 1,
        typeString = 2,
        typeNumber = 3,
        typeBoolean = 4,
        typeNull = 5,
    };

    class AnyType;
    class Object;
    class Array;
    class String;
    class Number;
    class Boolean;
    class Null;
    using Owned = std::unique_ptr<AnyType>;

    // Containers nested deeper than this make Parse fail instead of exhausting the stack.
    static constexpr int kMaxDepth = 512;

    class AnyType {
    public:
        AnyType(const AnyType&) = delete;
        AnyType& operator=(const AnyType&) = delete;

        virtual Type TypeOf() const = 0;
        // The value and everything under it in the library's layout.
        virtual XStr ToText() const;
        // A deep copy owned by the caller.
        virtual Owned Clone() const = 0;
        virtual ~AnyType() = default;

        // The same text as ToText, encoded as UTF-8.
        std::string ToUtf8() const;
        // Same type and same content, member names and order included.
        bool Equals(const AnyType& other) const;

        Object& AsObject();
        Array& AsArray();
        String& AsString();
        Number& AsNumber();
        Boolean& AsBoolean();
        const Object& AsObject() const;
        const Array& AsArray() const;
        const String& AsString() const;
        const Number& AsNumber() const;
        const Boolean& AsBoolean() const;

    protected:
        AnyType() = default;
        // Only the final classes move, so a value never moves into another type.
        AnyType(AnyType&&) = default;
        AnyType& operator=(AnyType&&) = default;
    };

    // Members in insertion order; names may repeat and every lookup takes the first match.
    class Object final : public AnyType {
    public:
        Object() = default;
        Type TypeOf() const override { return typeObject; }
        Owned Clone() const override;

        std::size_t Count() const { return mValues.size(); }
        // Empty when i is out of range.
        const XStr& NameAt(std::size_t i) const;
        // The shared null when i is out of range.
        AnyType& ValueAt(std::size_t i);
        const AnyType& ValueAt(std::size_t i) const;
        // First member whose name equals ignoring ASCII case; the shared null when none.
        AnyType& Get(const XStr& name);
        const AnyType& Get(const XStr& name) const;
        // As Get, names compared exactly.
        AnyType& Find(const XStr& name);
        const AnyType& Find(const XStr& name) const;
        bool Has(const XStr& name) const;
        // Index of the first member of that name, or npos.
        std::size_t IndexOf(const XStr& name, bool ignoreCase) const;

        // Replaces the value of the first member named exactly so, else appends one.
        void Set(const XStr& name, Owned value);
        // As Set, ignoring case; a found member keeps its stored name.
        void SetNoCase(const XStr& name, Owned value);
        void SetAt(std::size_t i, Owned value);
        // Every member of that name goes, last to first.
        void Remove(const XStr& name);
        void RemoveNoCase(const XStr& name);
        void RemoveAt(std::size_t i);
        // Appends without looking for the name.
        void Add(XStr name, Owned value);
        Object& AddObject(XStr name);
        Array& AddArray(XStr name);
        void Reserve(std::size_t count);

    private:
        std::vector<XStr> mNames;
        std::vector<Owned> mValues;
    };

    class Array final : public AnyType {
    public:
        Array() = default;
        Type TypeOf() const override { return typeArray; }
        Owned Clone() const override;

        std::size_t Count() const { return mValues.size(); }
        // The shared null when i is out of range.
        AnyType& At(std::size_t i);
        const AnyType& At(std::size_t i) const;
        void Add(Owned value);
        Object& AddObject();
        Array& AddArray();
        void Reserve(std::size_t count);

    private:
        std::vector<Owned> mValues;
    };

    class String final : public AnyType {
    public:
        explicit String(XStr value = XStr()) : Value(std::move(value)) {}
        Type TypeOf() const override { return typeString; }
        Owned Clone() const override;
        XStr Value;
    };

    class Number final : public AnyType {
    public:
        explicit Number(double value = 0) : Value(value) {}
        Type TypeOf() const override { return typeNumber; }
        Owned Clone() const override;
        double Value;
    };

    class Boolean final : public AnyType {
    public:
        explicit Boolean(bool value = false) : Value(value) {}
        Type TypeOf() const override { return typeBoolean; }
        Owned Clone() const override;
        bool Value;
    };

    class Null final : public AnyType {
    public:
        Null() = default;
        Type TypeOf() const override { return typeNull; }
        Owned Clone() const override;
    };

    // Parses from the first character; text after the first complete value is ignored.
    // No value for text that ends early, is malformed, nests too deep or needs more memory
    // than there is; never a partial tree.
    static Owned Parse(const XStr& text);
    static Owned Parse(std::u32string_view text);
    // The same result as Parse of the decoded text, without decoding it first.
    static Owned ParseUtf8(std::string_view bytes);

    // No value when the file cannot be opened or read, is no regular file (a FIFO or a
    // device is never waited on) or holds more than maxBytes bytes. Malformed UTF-8 reads
    // as escaped bytes, as everywhere else in the library.
    static Owned ReadFile(const XFileName& path, int64_t maxBytes);
    // Creates or empties the file and writes the value as UTF-8 without a final line feed;
    // a failed write deletes the file. False for no value.
    static bool WriteFile(const XFileName& path, const AnyType* value);
    // Through the atomic rewrite: the old file stays whole unless the new one is complete.
    static bool WriteFileAtomically(const XFileName& path, const AnyType* value);

    // The shared values (never to be changed).
    static Object& EmptyObject();
    static Array& EmptyArray();
    static String& EmptyString();
    static Number& EmptyNumber();
    static Boolean& EmptyBoolean();
    // The missing value that lookups answer.
    static Null& SharedNull();
};
