// The name table: hash values and comparison of both traits, duplicates, the order
// and early stop of iteration, post-order release, rehashing and the zero size.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/errors.h"
#include "engine/string_hash_map.h"

namespace {

const TStringHashMapTraits& Sensitive = TCaseSensitiveTraits::Instance();
const TStringHashMapTraits& Insensitive = TCaseInsensitiveTraits::Instance();

void* Tag(std::intptr_t n) {
    return reinterpret_cast<void*>(n);
}

struct HashCase {
    const char* rule;
    const TStringHashMapTraits* traits;
    const char* key;
    std::uint32_t hash;
};

TEST(StringHashMap, ElfHash) {
    const HashCase cases[] = {
        {"empty key hashes to 0", &Sensitive, "", 0},
        {"one byte is its code", &Sensitive, "A", 65},
        {"lower case folds before hashing", &Insensitive, "a", 65},
        {"case-sensitive keeps lower case", &Sensitive, "a", 97},
        {"shift by four then add", &Sensitive, "ab", 16 * 97 + 98},
        {"top bits fold back (case-sensitive)", &Sensitive, "abcdefghi", 162245225},
        {"top bits fold back (case-insensitive)", &Insensitive, "abcdefghi", 126480041},
        {"bytes above 127 count unsigned and unfolded", &Insensitive, "\xE9", 0xE9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.traits->Hash(c.key), c.hash) << c.rule;
}

struct CompareCase {
    const char* rule;
    const TStringHashMapTraits* traits;
    const char* a;
    const char* b;
    int result;
};

TEST(StringHashMap, Compare) {
    const CompareCase cases[] = {
        {"equal keys", &Sensitive, "abc", "abc", 0},
        {"first differing byte decides", &Sensitive, "abd", "abc", 1},
        {"byte difference is returned", &Sensitive, "a", "e", -4},
        {"prefix sorts first by length difference", &Sensitive, "ab", "abcd", -2},
        {"longer key sorts after its prefix", &Sensitive, "abc", "", 3},
        {"case counts when sensitive", &Sensitive, "a", "A", 32},
        {"case folds when insensitive", &Insensitive, "pI", "Pi", 0},
        {"folding is to upper case", &Insensitive, "[", "a", '[' - 'A'},
        {"bytes compare unsigned", &Sensitive, "\xFF", "a", 0xFF - 'a'},
        {"accented letters do not fold", &Insensitive, "\xE9", "\xC9", 0xE9 - 0xC9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.traits->Compare(c.a, c.b), c.result) << c.rule;
}

TEST(StringHashMap, ConstructionNeedsTraits) {
    try {
        TStringHashMap map(nullptr, 10);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(std::string(e.what()).rfind("HashList must have traits", 0), 0u) << e.what();
    }
}

TEST(StringHashMap, CaseInsensitiveLookupAndDuplicates) {
    TStringHashMap map(&Insensitive, 100);
    map.Add("Pi", Tag(1));
    for (const char* key : {"PI", "pi", "pI", "Pi"}) {
        void* data = nullptr;
        EXPECT_TRUE(map.Find(key, data)) << key;
        EXPECT_EQ(data, Tag(1)) << key;
    }
    try {
        map.Add("PI", Tag(2));
        FAIL();
    } catch (const EStringHashMapError& e) {
        EXPECT_STREQ(e.what(), "Duplicate hash list entry: PI");
    }
    void* data = Tag(7);
    EXPECT_EQ(map.Count(), 1u) << "a rejected duplicate changes nothing";
    EXPECT_TRUE(map.Find("pi", data));
    EXPECT_EQ(data, Tag(1));
    // Accented capitals are different keys even here.
    map.Add("\xE9t\xE9", Tag(3));
    EXPECT_NO_THROW(map.Add("\xC9t\xC9", Tag(4)));
    data = Tag(7);
    EXPECT_FALSE(map.Find("nothing", data));
    EXPECT_EQ(data, Tag(7)) << "a failed Find leaves the data alone";
}

// Records every key visited, stopping after StopAfter visits.
struct Visit {
    std::vector<std::string> keys;
    std::size_t stopAfter = SIZE_MAX;
};

bool Record(void* userData, const std::string& key, void*&) {
    auto* visit = static_cast<Visit*>(userData);
    visit->keys.push_back(key);
    return visit->keys.size() < visit->stopAfter;
}

std::string Joined(const std::vector<std::string>& keys) {
    std::string out;
    for (const auto& k : keys)
        out += k;
    return out;
}

// A map that records the keys of the nodes it frees.
class TRecordingMap : public TStringHashMap {
public:
    using TStringHashMap::TStringHashMap;
    ~TRecordingMap() override { Clear(); }
    std::vector<std::string> Freed;

protected:
    void FreeNode(TNode* node) noexcept override {
        Freed.push_back(node->Key);
        TStringHashMap::FreeNode(node);
    }
};

struct TreeCase {
    const char* rule;
    const char* keys; // inserted in this order into one bucket
    const char* preOrder;
    const char* postOrder;
};

TEST(StringHashMap, TreeOrderOfIterateAndClear) {
    const TreeCase cases[] = {
        {"balanced tree", "mctaerz", "mcaetrz", "aecrztm"},
        {"left chain", "dcba", "dcba", "abcd"},
        {"right chain", "abcd", "abcd", "dcba"},
        {"zig-zag", "adbc", "adbc", "cbda"},
    };
    for (const auto& c : cases) {
        TRecordingMap map(&Sensitive, 1);
        for (const char* k = c.keys; *k; ++k)
            map.Add(std::string(1, *k), nullptr);
        Visit visit;
        map.Iterate(&visit, Record);
        EXPECT_EQ(Joined(visit.keys), c.preOrder) << c.rule;
        map.Clear();
        EXPECT_EQ(Joined(map.Freed), c.postOrder) << c.rule;
        EXPECT_EQ(map.Count(), 0u);
        EXPECT_EQ(map.BucketCount(), 1u) << "the buckets stay";
        void* data = nullptr;
        EXPECT_FALSE(map.Find(std::string(1, c.keys[0]), data));
    }
}

TEST(StringHashMap, IterateVisitsBucketsInIndexOrder) {
    TStringHashMap map(&Sensitive, 10);
    map.Add("B", nullptr); // 66 -> bucket 6
    map.Add("A", nullptr); // 65 -> bucket 5
    map.Add("d", nullptr); // 100 -> bucket 0
    map.Add("n", nullptr); // 110 -> bucket 0, right of "d"
    Visit visit;
    map.Iterate(&visit, Record);
    EXPECT_EQ(Joined(visit.keys), "dnAB");
}

TEST(StringHashMap, IterateStopsAtTheFirstFalseInsideATree) {
    TStringHashMap map(&Sensitive, 1);
    for (const char* k : {"m", "c", "t", "a", "e"})
        map.Add(k, nullptr);
    Visit visit;
    visit.stopAfter = 3;
    map.Iterate(&visit, Record);
    EXPECT_EQ(Joined(visit.keys), "mca");
}

TEST(StringHashMap, IterateMayChangeTheDataSlot) {
    TStringHashMap map(&Insensitive, 7);
    map.Add("one", Tag(1));
    map.Add("two", Tag(2));
    map.Iterate(nullptr, [](void*, const std::string&, void*& data) {
        data = Tag(reinterpret_cast<std::intptr_t>(data) * 10);
        return true;
    });
    void* data = nullptr;
    EXPECT_TRUE(map.Find("TWO", data));
    EXPECT_EQ(data, Tag(20));
    EXPECT_TRUE(map.Find("one", data));
    EXPECT_EQ(data, Tag(10));
}

TEST(StringHashMap, RehashKeepsEveryEntryFindable) {
    TStringHashMap map(&Insensitive, 100);
    for (int i = 0; i < 60; ++i)
        map.Add("name" + std::to_string(i), Tag(i + 1));
    map.SetBucketCount(7);
    EXPECT_EQ(map.BucketCount(), 7u);
    EXPECT_EQ(map.Count(), 60u);
    for (int i = 0; i < 60; ++i) {
        void* data = nullptr;
        EXPECT_TRUE(map.Find("NAME" + std::to_string(i), data)) << i;
        EXPECT_EQ(data, Tag(i + 1)) << i;
    }
    EXPECT_THROW(map.Add("Name5", nullptr), EStringHashMapError) << "still one entry per key";
}

TEST(StringHashMap, ZeroBucketsOnlyWhenEmpty) {
    TStringHashMap map(&Sensitive, 5);
    map.Add("k", Tag(1));
    try {
        map.SetBucketCount(0);
        FAIL();
    } catch (const EStringHashMapError& e) {
        EXPECT_STREQ(e.what(), "HashList: must be empty to set size to zero");
    }
    void* data = nullptr;
    EXPECT_EQ(map.BucketCount(), 5u);
    EXPECT_TRUE(map.Find("k", data)) << "the map is unchanged";
    map.Clear();
    map.SetBucketCount(0);
    EXPECT_EQ(map.BucketCount(), 0u);
    EXPECT_FALSE(map.Find("k", data));
    EXPECT_THROW(map.Add("k", nullptr), EAssertionFailed);
    map.SetBucketCount(3);
    map.Add("k", Tag(2));
    EXPECT_TRUE(map.Find("k", data));
    EXPECT_EQ(data, Tag(2));
}

} // namespace
