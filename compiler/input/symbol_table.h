// The symbol table: every name of a compile, reserved words included.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vek {

struct Track;

// ORDER SYMBOL KINDS: keep destroySymbolValue in step with this list.
enum SymbolKind : uint8_t {
    kReservedWord = 0,   // value: reserved word index (not owned)
    kTrackSymbol = 1,    // the Track it names (owned by the song)
    kSecondName = 2,     // the Track it stands for (not owned)
    kControllerSymbol = 3,
    kSectionSymbol = 4,  // owned SectionGroup
    kMacroSymbol = 5,
    kSysexSymbol = 6,
    kTimeMark = 7,       // owned int32_t ticks
    kNotePattern = 8,
    kChordPattern = 9,
    kNoteEffect = 10,
    kChordEffect = 11,
    kPatternSymbol = 12,
    kPatchSymbol = 13,   // value: program 0-127 (not owned)
    kModeSymbol = 14,
    kInversionSymbol = 15,
    kPickSymbol = 16,
    kSymbolKinds = 17,
};

// A section: up to eight tracks or nested sections.
struct SectionGroup {
    static constexpr int kMaxMembers = 8;
    uint8_t count = 0;
    uint8_t kinds[kMaxMembers] = {};  // kTrackSymbol or kSectionSymbol
    void *members[kMaxMembers] = {};
    int32_t time = 0;                 // the section's voice time when last left
    uint8_t pitchReference[3] = {60, 99, 5};
};

union SymbolValue {
    int32_t number;
    void *object;
};

struct HashEntry {
    uint32_t hash;
    uint8_t kind;
    const char *name;  // in the table's name pool
    SymbolValue value;
    HashEntry *next;
    HashEntry *previous = nullptr;   // in the bucket's chain: a hit moves to the front in one step
    HashEntry *indexNext = nullptr;  // next entry in the same slot of the look-up index
    uint32_t key = 0;                // the look-up index's hash of the name
};

// 16 buckets with a hash word per entry and move-to-front on every hit;
// names live in a pool of 200-byte blocks and never move. The buckets fix
// the order of the endless walk, which the writers follow; look-ups go
// through a second index that grows with the entries, so that a piece of
// a hundred thousand names costs no more per name than one of ten.
class HashTable {
public:
    static constexpr int kBuckets = 16;
    static constexpr int kPoolBlockBytes = 200;

    HashTable();
    ~HashTable();
    HashTable(const HashTable &) = delete;
    HashTable &operator=(const HashTable &) = delete;

    void hashName(const char *name);
    // The name hash, one character at a time (start from 0).
    static uint32_t hashStep(uint32_t hash, char c) {
        return hash * 2 + static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(c)));
    }
    // False when no name of this hash is in the table.
    bool mayHold(uint32_t hash) const {
        return (filter_[(hash % kFilterBits) / 64] >> (hash % 64)) & 1;
    }
    HashEntry *find(const char *name);
    // The pooled name, or null when the name is taken or the kind is not a
    // SymbolKind (the table is then unchanged and the caller keeps ownership
    // of `object`). A macro or pick list may be redefined as either, a time
    // mark as a time mark: the old value is freed and the table owns the new.
    const char *add(uint8_t kind, void *object, const char *name);
    const char *addNumber(uint8_t kind, int32_t number, const char *name);
    // Endless cyclic walk over all entries; null when the table is empty.
    HashEntry *next();
    // Appends the tracks of a section, flattened, each track once; a
    // section met again contributes nothing.
    static int collectTracks(SectionGroup &group, std::vector<Track *> &out);

    int32_t count() const { return count_; }

private:
    // A block header; its `capacity` bytes of names follow it in memory.
    struct PoolBlock {
        PoolBlock *previous;
        size_t capacity;
        char *bytes() { return reinterpret_cast<char *>(this + 1); }
    };
    void newPoolBlock(size_t capacity);
    const char *poolName(const char *name);
    const char *insert(uint8_t kind, SymbolValue value, const char *name);
    void moveToFront(HashEntry *e);
    void index(HashEntry *e);
    void growIndex();
    static bool ownsValue(uint8_t kind);

    // One bit per value of the hash's low 12 bits, set for every entry: a
    // name whose bit is clear is not in the table, which spares the chain
    // walk for the notes of the music (each read as a name first).
    static constexpr uint32_t kFilterBits = 4096;

    static constexpr size_t kFirstIndexSlots = 128;  // room for the reserved words

    HashEntry *buckets_[kBuckets] = {};
    std::vector<HashEntry *> index_;  // a power of two of slots, at least one per entry
    uint32_t key_ = 0;                // scratch: index hash of the name last hashed
    uint64_t filter_[kFilterBits / 64] = {};
    int32_t count_ = 0;
    uint32_t hash_ = 0;
    uint8_t bucket_ = 0;
    uint8_t iterBucket_ = 0;
    HashEntry *iterEntry_ = nullptr;
    PoolBlock *pool_ = nullptr;
    size_t poolUsed_ = 0;
};

// Frees the owned value of an entry of the given kind.
void destroySymbolValue(uint8_t kind, void *object);

}  // namespace vek
