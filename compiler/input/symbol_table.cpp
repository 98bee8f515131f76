#include "input/symbol_table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_set>

#include "events/controller_definition.h"
#include "events/fatal_error.h"
#include "events/track.h"
#include "music/macros.h"
#include "statements/attachments.h"

namespace vek {

namespace {

bool isMacroOrPick(uint8_t kind) { return kind == kMacroSymbol || kind == kPickSymbol; }

// Names are short and their hashes matched already: a plain loop costs
// less than a library call.
bool sameName(const char *a, const char *b) {
    while (*a != '\0' && *a == *b) ++a, ++b;
    return *a == *b;
}

}  // namespace

// ORDER SYMBOL KINDS: one case per kind whose value the table owns.
void destroySymbolValue(uint8_t kind, void *object) {
    switch (kind) {
    case kControllerSymbol: delete static_cast<ControllerDefinition *>(object); break;
    case kSectionSymbol: delete static_cast<SectionGroup *>(object); break;
    case kTimeMark: delete static_cast<int32_t *>(object); break;
    case kMacroSymbol: case kSysexSymbol: case kNotePattern: case kChordPattern:
    case kNoteEffect: case kChordEffect: case kModeSymbol: case kInversionSymbol:
        delete static_cast<Definition *>(object);
        break;
    case kPickSymbol: delete static_cast<PickList *>(object); break;
    case kPatternSymbol: freePatternNodes(static_cast<PatternNode *>(object)); break;
    default: break;  // reserved words, tracks, second names and patches own nothing
    }
}

bool HashTable::ownsValue(uint8_t kind) {
    return kind != kReservedWord && kind != kTrackSymbol && kind != kSecondName &&
           kind != kPatchSymbol;
}

HashTable::HashTable() : index_(kFirstIndexSlots, nullptr) { newPoolBlock(kPoolBlockBytes); }

HashTable::~HashTable() {
    while (pool_) {
        PoolBlock *previous = pool_->previous;
        std::free(pool_);
        pool_ = previous;
    }
    for (HashEntry *&head : buckets_) {
        while (head) {
            HashEntry *e = head;
            head = e->next;
            if (ownsValue(e->kind)) destroySymbolValue(e->kind, e->value.object);
            delete e;
        }
    }
}

// The name hash keeps only the last 32 characters and many names share it
// ("m12" and "m20"), so the index has a hash of its own, spread over all
// the bits of every character.
void HashTable::hashName(const char *name) {
    uint32_t h = 0;
    uint32_t k = 2166136261u;
    uint8_t x = 0;
    for (const char *p = name; *p; ++p) {
        h = hashStep(h, *p);
        k = (k ^ static_cast<uint8_t>(*p)) * 16777619u;
        x ^= static_cast<uint8_t>(*p);
    }
    hash_ = h;
    key_ = k;
    bucket_ = x & (kBuckets - 1);
}

// A hit still moves to the head of its bucket's chain: that chain order is
// the order in which next() meets the entries.
HashEntry *HashTable::find(const char *name) {
    hashName(name);
    if (!mayHold(hash_)) return nullptr;
    for (HashEntry *e = index_[key_ & (index_.size() - 1)]; e; e = e->indexNext) {
        if (e->key != key_ || e->hash != hash_ || !sameName(e->name, name)) continue;
        moveToFront(e);
        return e;
    }
    return nullptr;
}

// The entry's name was hashed last, so bucket_ is its bucket.
void HashTable::moveToFront(HashEntry *e) {
    if (!e->previous) return;
    e->previous->next = e->next;
    if (e->next) e->next->previous = e->previous;
    e->previous = nullptr;
    e->next = buckets_[bucket_];
    e->next->previous = e;
    buckets_[bucket_] = e;
}

void HashTable::index(HashEntry *e) {
    HashEntry *&slot = index_[e->key & (index_.size() - 1)];
    e->indexNext = slot;
    slot = e;
}

// Doubles the slots and spreads the entries again, bucket by bucket.
void HashTable::growIndex() {
    try {
        std::vector<HashEntry *>(index_.size() * 2, nullptr).swap(index_);
    } catch (const std::bad_alloc &) {
        throw FatalError{kMsgNoMemory};
    }
    for (HashEntry *head : buckets_)
        for (HashEntry *e = head; e; e = e->next) index(e);
}

const char *HashTable::add(uint8_t kind, void *object, const char *name) {
    SymbolValue v;
    v.object = object;
    return insert(kind, v, name);
}

const char *HashTable::addNumber(uint8_t kind, int32_t number, const char *name) {
    SymbolValue v;
    v.number = number;
    return insert(kind, v, name);
}

// A name is declared once, except that a macro or pick list may be
// redefined as either, and a time mark as a time mark.
const char *HashTable::insert(uint8_t kind, SymbolValue value, const char *name) {
    if (kind >= kSymbolKinds) return nullptr;
    if (HashEntry *e = find(name)) {
        const bool replaces = isMacroOrPick(kind) ? isMacroOrPick(e->kind)
                                                  : kind == kTimeMark && e->kind == kTimeMark;
        if (!replaces) return nullptr;
        if (e->value.object) destroySymbolValue(e->kind, e->value.object);
        e->kind = kind;
        e->value = value;
        return e->name;
    }
    const char *pooled = poolName(name);
    HashEntry *e = new (std::nothrow) HashEntry{hash_, kind, pooled, value, buckets_[bucket_]};
    if (!e) throw FatalError{kMsgNoMemory};
    if (e->next) e->next->previous = e;
    buckets_[bucket_] = e;
    e->key = key_;
    index(e);
    filter_[(hash_ % kFilterBits) / 64] |= uint64_t{1} << (hash_ % 64);
    if (static_cast<size_t>(++count_) > index_.size()) growIndex();
    return e->name;
}

void HashTable::newPoolBlock(size_t capacity) {
    void *raw = std::malloc(sizeof(PoolBlock) + capacity);
    if (!raw) throw FatalError{kMsgNoMemory};
    pool_ = new (raw) PoolBlock{pool_, capacity};
    poolUsed_ = 0;
}

// Names are packed into 200-byte blocks and never move; a name longer than
// a block gets a block of its own size.
const char *HashTable::poolName(const char *name) {
    const size_t bytes = std::strlen(name) + 1;
    if (bytes > pool_->capacity - poolUsed_)
        newPoolBlock(bytes > kPoolBlockBytes ? bytes : kPoolBlockBytes);
    char *slot = pool_->bytes() + poolUsed_;
    std::memcpy(slot, name, bytes);
    poolUsed_ += bytes;
    return slot;
}

// Each call yields the next entry, wrapping around for ever. A caller that
// wants every entry once keeps the first as a mark and stops when it
// comes round again.
HashEntry *HashTable::next() {
    if (count_ == 0) return nullptr;
    if (iterEntry_ && iterEntry_->next) return iterEntry_ = iterEntry_->next;
    do {
        iterBucket_ = (iterBucket_ + 1) & (kBuckets - 1);
    } while (!buckets_[iterBucket_]);
    return iterEntry_ = buckets_[iterBucket_];
}

// Each section and each track counts once per flattening: a section met
// again (inside itself, or shared by two members) adds nothing, so the work
// stays linear however the sections nest. The walk keeps its own stack, as
// a chain of sections naming earlier ones can be as deep as the source is
// long.
int HashTable::collectTracks(SectionGroup &group, std::vector<Track *> &out) {
    struct Place {
        const SectionGroup *group;
        int next;  // member to look at next
    };
    const size_t before = out.size();
    std::unordered_set<const void *> seen(out.begin(), out.end());
    std::vector<Place> stack;
    seen.insert(&group);
    stack.push_back({&group, 0});
    while (!stack.empty()) {
        const SectionGroup &g = *stack.back().group;
        const int i = stack.back().next++;
        if (i >= std::min<int>(g.count, SectionGroup::kMaxMembers)) {
            stack.pop_back();
            continue;
        }
        void *member = g.members[i];
        if (!member || !seen.insert(member).second) continue;
        if (g.kinds[i] == kSectionSymbol)
            stack.push_back({static_cast<const SectionGroup *>(member), 0});
        else if (g.kinds[i] == kTrackSymbol)
            out.push_back(static_cast<Track *>(member));
    }
    return static_cast<int>(out.size() - before);
}

}  // namespace vek
