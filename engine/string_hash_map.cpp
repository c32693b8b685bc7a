// The name table: ELF hashing, byte comparison with optional ASCII case folding,
// and per-bucket binary search trees that are never rebalanced.
#include "engine/string_hash_map.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "engine/errors.h"

namespace {

unsigned char Unfolded(char c) {
    return static_cast<unsigned char>(c);
}

// Only 'a'-'z' fold; bytes 128-255 (accented letters included) stay as they are.
unsigned char FoldedAscii(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - ('a' - 'A')) : b;
}

// h := (h << 4) + b; the top four bits are folded back into bits 4-7 and cleared.
template <unsigned char (*Map)(char)> std::uint32_t ElfHash(std::string_view key) {
    std::uint32_t h = 0;
    for (char c : key) {
        h = (h << 4) + Map(c);
        if (const std::uint32_t g = h & 0xF0000000u; g != 0) {
            h ^= g >> 24;
            h &= 0x0FFFFFFFu;
        }
    }
    return h;
}

// The first differing pair of bytes decides; otherwise the shorter key sorts first.
template <unsigned char (*Map)(char)> int CompareBytes(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int d = int{Map(a[i])} - int{Map(b[i])};
        if (d != 0) return d;
    }
    const auto d = static_cast<long long>(a.size()) - static_cast<long long>(b.size());
    return static_cast<int>(std::clamp<long long>(d, INT_MIN, INT_MAX));
}

const TStringHashMapTraits* RequireTraits(const TStringHashMapTraits* traits) {
    Assert(traits != nullptr, HashMapMessages::MustHaveTraits);
    return traits;
}

} // namespace

std::uint32_t TCaseSensitiveTraits::Hash(std::string_view key) const {
    return ElfHash<Unfolded>(key);
}

int TCaseSensitiveTraits::Compare(std::string_view a, std::string_view b) const {
    return CompareBytes<Unfolded>(a, b);
}

const TCaseSensitiveTraits& TCaseSensitiveTraits::Instance() {
    static const TCaseSensitiveTraits instance;
    return instance;
}

std::uint32_t TCaseInsensitiveTraits::Hash(std::string_view key) const {
    return ElfHash<FoldedAscii>(key);
}

int TCaseInsensitiveTraits::Compare(std::string_view a, std::string_view b) const {
    return CompareBytes<FoldedAscii>(a, b);
}

const TCaseInsensitiveTraits& TCaseInsensitiveTraits::Instance() {
    static const TCaseInsensitiveTraits instance;
    return instance;
}

TStringHashMap::TStringHashMap(const TStringHashMapTraits* traits, std::uint32_t bucketCount)
    : FTraits(RequireTraits(traits)) {
    SetBucketCount(bucketCount);
}

TStringHashMap::~TStringHashMap() {
    Clear();
    SetBucketCount(0);
}

TStringHashMap::TNode* TStringHashMap::AllocNode() {
    return new TNode;
}

void TStringHashMap::FreeNode(TNode* node) noexcept {
    delete node;
}

// The link where the key's node hangs, or where a new node for it belongs; null
// when the map has no buckets.
TStringHashMap::TNode** TStringHashMap::Locate(std::string_view key) const {
    if (FBucketCount == 0) return nullptr;
    // The links belong to this map; Find only reads through them.
    auto** link = const_cast<TNode**>(&FBuckets[FTraits->Hash(key) % FBucketCount]);
    while (*link) {
        const int c = FTraits->Compare(key, (*link)->Key);
        if (c == 0) break;
        link = c < 0 ? &(*link)->Left : &(*link)->Right;
    }
    return link;
}

void TStringHashMap::Add(std::string_view key, void* data) {
    TNode** link = Locate(key);
    Assert(link != nullptr);
    if (*link) throw EStringHashMapError(FormatMessage(HashMapMessages::Duplicate, key));
    std::string ownKey(key); // copied first, so a failure leaves the tree untouched
    TNode* node = AllocNode();
    node->Key = std::move(ownKey);
    node->Data = data;
    *link = node;
    ++FCount;
}

bool TStringHashMap::Find(std::string_view key, void*& data) const {
    TNode** link = Locate(key);
    if (!link || !*link) return false;
    data = (*link)->Data;
    return true;
}

// Buckets in index order; each tree in pre-order (node, left, right). The explicit
// stack keeps a degenerate (list-shaped) tree from exhausting the call stack.
void TStringHashMap::Iterate(void* userData, TIterateFunc callback) {
    std::vector<TNode*> pending;
    for (TNode* root : FBuckets) {
        if (!root) continue;
        pending.push_back(root);
        while (!pending.empty()) {
            TNode* node = pending.back();
            pending.pop_back();
            if (!callback(userData, node->Key, node->Data)) return;
            if (node->Right) pending.push_back(node->Right);
            if (node->Left) pending.push_back(node->Left);
        }
    }
}

// Each tree is released in post-order (left, right, node) without recursion or
// allocation: the ancestors still waiting are chained through their Left links,
// each child being unhooked from its parent before the walk descends into it.
void TStringHashMap::Clear(TReleaseFunc release) noexcept {
    for (TNode*& root : FBuckets) {
        TNode* node = root;
        root = nullptr;
        TNode* waiting = nullptr;
        while (node) {
            if (TNode* child = node->Left ? node->Left : node->Right) {
                (node->Left ? node->Left : node->Right) = nullptr;
                node->Left = waiting;
                waiting = node;
                node = child;
                continue;
            }
            if (release) release(node->Data);
            FreeNode(node);
            node = waiting;
            if (node) {
                waiting = node->Left;
                node->Left = nullptr;
            }
        }
    }
    FCount = 0;
}

void TStringHashMap::SetBucketCount(std::uint32_t count) {
    if (FBucketCount == 0) {
        if (count == 0) return;
        FBuckets.assign(count, nullptr);
        FBucketCount = count;
        return;
    }
    if (count == 0) {
        if (FCount != 0) throw EStringHashMapError(std::string(HashMapMessages::MustBeEmpty));
        FBuckets = {};
        FBucketCount = 0;
        return;
    }
    // Rehash: every pair is set aside and added back under the new count.
    struct TEntry {
        std::string Key;
        void* Data;
    };
    std::vector<TEntry> entries;
    entries.reserve(FCount);
    Iterate(&entries, [](void* userData, const std::string& key, void*& data) {
        static_cast<std::vector<TEntry>*>(userData)->push_back({key, data});
        return true;
    });
    Clear();
    FBuckets.assign(count, nullptr);
    FBucketCount = count;
    for (const TEntry& e : entries)
        Add(e.Key, e.Data);
}
