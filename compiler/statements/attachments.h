// Note and chord patterns and effects that a track carries over time.
#pragma once
#include <cstdint>
#include <unordered_map>

namespace vek {

struct CompileState;
struct HashEntry;
struct Track;

// One node of a named pattern: an element active between two offsets.
struct PatternNode {
    HashEntry *element;   // kinds 8 to 11
    int32_t start, end;   // ticks within the pattern's cycle
    int32_t total;        // first node only: the pattern's cycle length
    PatternNode *next;
};

struct Attachment {
    HashEntry *element;   // kinds 8 to 11, or 12 for a pattern
    int32_t start;        // switched on at; -1 while off
    int32_t length;       // ticks active at the start of each period
    int32_t period;       // ticks
    Attachment *next;
};

// A track's attachments and the resumable position of findActive.
struct AttachmentList {
    Attachment *head = nullptr;
    Attachment *at = nullptr;
    PatternNode *node = nullptr;
    AttachmentList() = default;
    AttachmentList(const AttachmentList &) = delete;
    AttachmentList &operator=(const AttachmentList &) = delete;
    ~AttachmentList();
};

// Frees a pattern's chain of nodes (the value of a kind-12 symbol).
void freePatternNodes(PatternNode *head);

// The attachments of each track, kept by the parser beside the song: the
// tracks themselves hold only what the writers read.
using TrackAttachments = std::unordered_map<const Track *, AttachmentList>;

int attachElement(AttachmentList &list, HashEntry *element, int32_t start, int32_t period,
                  int32_t length);
int attachPattern(AttachmentList &list, HashEntry *pattern, int32_t start);
HashEntry *findActive(AttachmentList &list, uint8_t kind, int32_t time);

// A note or chord pattern or effect name in the music: a length and a
// period switch it on at the voice's time, a length of 0 switches it off.
void switchElement(CompileState &cs, HashEntry &element);
// A pattern name in the music, followed by "on" or "off".
void switchPattern(CompileState &cs, HashEntry &pattern);

// The four hook points, called through hook_points.h; each returns true
// when it started a body.
bool tryNotePattern(CompileState &cs);
bool tryChordPattern(CompileState &cs);
bool tryNoteEffect(CompileState &cs);
bool tryChordEffect(CompileState &cs);

}  // namespace vek
