// The name table: a string-keyed hash map whose buckets are unbalanced binary
// search trees, ordered and hashed by exchangeable traits (case-sensitive or
// ASCII case-insensitive).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStringHashMapTraits {
public:
    virtual ~TStringHashMapTraits() = default;
    virtual std::uint32_t Hash(std::string_view key) const = 0;
    // Negative, zero or positive as a sorts before, equal to or after b.
    virtual int Compare(std::string_view a, std::string_view b) const = 0;
};

// ELF hash over the bytes; byte-by-byte unsigned comparison.
class TCaseSensitiveTraits final : public TStringHashMapTraits {
public:
    std::uint32_t Hash(std::string_view key) const override;
    int Compare(std::string_view a, std::string_view b) const override;
    // The one process-wide instance.
    static const TCaseSensitiveTraits& Instance();
};

// As TCaseSensitiveTraits, with 'a'-'z' folded to upper case; no other byte folds.
class TCaseInsensitiveTraits final : public TStringHashMapTraits {
public:
    std::uint32_t Hash(std::string_view key) const override;
    int Compare(std::string_view a, std::string_view b) const override;
    // The one process-wide instance.
    static const TCaseInsensitiveTraits& Instance();
};

class TStringHashMap {
public:
    struct TNode {
        std::string Key;
        void* Data = nullptr; // not owned
        TNode* Left = nullptr;
        TNode* Right = nullptr;
    };
    // Returns false to stop the iteration; may change the data slot.
    using TIterateFunc = bool (*)(void* userData, const std::string& key, void*& data);
    // Given each entry's data as the entry is freed (an owner's way to release it).
    using TReleaseFunc = void (*)(void* data) noexcept;

    // Null traits fail an assertion ("HashList must have traits").
    TStringHashMap(const TStringHashMapTraits* traits, std::uint32_t bucketCount);
    virtual ~TStringHashMap();
    TStringHashMap(const TStringHashMap&) = delete;
    TStringHashMap& operator=(const TStringHashMap&) = delete;

    // EStringHashMapError "Duplicate hash list entry: %s" when the key is present.
    void Add(std::string_view key, void* data);
    bool Find(std::string_view key, void*& data) const;
    void Iterate(void* userData, TIterateFunc callback);
    // Frees every entry without allocating, handing each one's data to release first.
    void Clear(TReleaseFunc release = nullptr) noexcept;
    void SetBucketCount(std::uint32_t count);

    std::uint32_t BucketCount() const noexcept { return FBucketCount; }
    std::uint32_t Count() const noexcept { return FCount; }

protected:
    // The node factory of the map: a new node with an empty key and empty links.
    virtual TNode* AllocNode();
    // Releases a node and its key.
    virtual void FreeNode(TNode* node) noexcept;

private:
    TNode** Locate(std::string_view key) const;

    std::uint32_t FBucketCount = 0;
    std::uint32_t FCount = 0;
    std::vector<TNode*> FBuckets;        // owned trees, released through FreeNode
    const TStringHashMapTraits* FTraits; // not owned: shared process-wide
};
