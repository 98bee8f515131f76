// The attachment list of a track and the lookup of the element active at
// a time.
#include "statements/attachments.h"

#include <new>

#include "events/track.h"
#include "input/symbol_table.h"

namespace vek {

namespace {

constexpr int32_t kOff = -1;

Attachment *findAttachment(AttachmentList &list, HashEntry *element) {
    for (Attachment *a = list.head; a; a = a->next)
        if (a->element == element) return a;
    return nullptr;
}

// Updates the element's attachment or appends a new one at the tail; a
// change of the list starts the next lookup from the head.
int attach(AttachmentList &list, HashEntry *element, int32_t start, int32_t period,
           int32_t length) {
    list.at = nullptr;
    list.node = nullptr;
    Attachment *a = findAttachment(list, element);
    if (!a) {
        a = new (std::nothrow) Attachment{element, kOff, 0, 0, nullptr};
        if (!a) return 1;
        Attachment **tail = &list.head;
        while (*tail) tail = &(*tail)->next;
        *tail = a;
    }
    a->start = start;
    a->period = period;
    a->length = length;
    return 0;
}

PatternNode *patternNodes(const Attachment &a) {
    return static_cast<PatternNode *>(a.element->value.object);
}

// The first node after `after` (from the first node when null) of the
// pattern whose window holds `time` for an element of `kind`.
PatternNode *activeNode(const Attachment &a, uint8_t kind, int32_t time, PatternNode *after) {
    PatternNode *first = patternNodes(a);
    if (a.start == kOff || time < a.start || !first || first->total <= 0) return nullptr;
    const int64_t r = (int64_t{time} - a.start) % first->total;
    for (PatternNode *n = after ? after->next : first; n; n = n->next)
        if (n->element->kind == kind && n->start <= r && r < n->end) return n;
    return nullptr;
}

bool elementActive(const Attachment &a, uint8_t kind, int32_t time) {
    if (a.element->kind != kind || a.start == kOff || time < a.start || a.period <= 0)
        return false;
    return (int64_t{time} - a.start) % a.period < a.length;
}

}  // namespace

AttachmentList::~AttachmentList() {
    while (head) {
        Attachment *next = head->next;
        delete head;
        head = next;
    }
}

void freePatternNodes(PatternNode *head) {
    while (head) {
        PatternNode *next = head->next;
        delete head;
        head = next;
    }
}

int attachElement(AttachmentList &list, HashEntry *element, int32_t start, int32_t period,
                  int32_t length) {
    return attach(list, element, start, period, length);
}

int attachPattern(AttachmentList &list, HashEntry *pattern, int32_t start) {
    return attach(list, pattern, start, 0, 0);
}

// Resumes after the element returned last, so that calls at one time yield
// the active elements of a kind one after the other, then none.
HashEntry *findActive(AttachmentList &list, uint8_t kind, int32_t time) {
    Attachment *a = list.at ? list.at : list.head;
    PatternNode *after = list.node;
    if (list.at && !list.node) a = list.at->next;
    for (; a; a = a->next, after = nullptr) {
        if (a->element->kind == kPatternSymbol) {
            if (PatternNode *n = activeNode(*a, kind, time, after)) {
                list.at = a;
                list.node = n;
                return n->element;
            }
        } else if (elementActive(*a, kind, time)) {
            list.at = a;
            list.node = nullptr;
            return a->element;
        }
    }
    list.at = nullptr;
    list.node = nullptr;
    return nullptr;
}

}  // namespace vek
