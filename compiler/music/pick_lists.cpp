// Pick lists: named, weighted lists of macros (or of other pick lists),
// one of which a call runs, chosen at random, in sequence or a mix of both.
#include <cstdint>
#include <limits>
#include <new>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/reader.h"
#include "input/symbol_table.h"
#include "music/keyword_words.h"
#include "music/macro_frames.h"
#include "music/numbers.h"

namespace vek {

namespace {

constexpr int32_t kSequential = 1000;  // pick index: thousandths of sequential choices
constexpr int32_t kMaxWeight = 32767;

int32_t argumentCountOf(const HashEntry &symbol) {
    if (symbol.kind == kPickSymbol) return static_cast<const PickList *>(symbol.value.object)->argumentCount;
    return static_cast<const Definition *>(symbol.value.object)->parameterCount;
}

// "1/2" and "0.5" are 500: half the choices in sequence.
void readPickIndex(CompileState &cs, PickList &list) {
    const int form = ReadNumber(cs, kMaskLength, 0, 0, kSequential);
    if (form == kNoNumber) return;
    if (form == kFormNoSmpte || cs.number < 0 || cs.number > kSequential) error(cs, kMsgPickIndex);
    list.pickIndex = cs.number;
}

// name [weight]
void readPickEntry(CompileState &cs, PickList &list) {
    readName(cs, kDeclaredNameMax, false);
    HashEntry *e = cs.symbols.find(cs.name);
    if (!e || (e->kind != kMacroSymbol && e->kind != kPickSymbol)) error(cs, kMsgNoDefineInPick);
    skipBlanks(cs);
    int32_t weight = 1;
    if (ReadNumber(cs, kMaskInteger, kMaxWeight, 0, 1) != kNoNumber) weight = cs.number;
    error(cs, AddPickEntry(list, e, weight));
}

// name "[" [index] {entry} "]"
void pickList(CompileState &cs) {
    readDeclaredName(cs);
    skipBlanks(cs);
    if (cs.ch != '[') error(cs, kMsgPickSyntax);
    PickList *list = new (std::nothrow) PickList;
    if (!list) error(cs, kMsgNoMemory);
    if (!cs.symbols.add(kPickSymbol, list, cs.name)) {
        delete list;
        error(cs, kMsgReservedName);
    }
    advance(cs);
    skipBlanks(cs);
    readPickIndex(cs, *list);
    for (skipBlanks(cs); cs.ch != ']'; skipBlanks(cs)) {
        if (cs.ch == kEndOfInput) error(cs, kMsgCloseBracket);
        readPickEntry(cs, *list);
    }
    // Each list is checked at its "]", so an empty one is caught where it is written.
    if (list->totalWeight == 0) error(cs, kMsgZeroWeight);
    advance(cs);
}

const Definition *choose(CompileState &cs, PickList &list, int nesting) {
    // A list may hold itself, directly or through others.
    if (nesting >= kMacroFrames) error(cs, kMsgMacrosTooDeep);
    const int r1 = cs.random.next();
    const int32_t inTurn = list.sequencePosition;
    if (++list.sequencePosition > list.totalWeight) list.sequencePosition = 1;
    if (list.totalWeight <= 0) return nullptr;
    const int r2 = cs.random.next();
    const int32_t target = r2 % kSequential < list.pickIndex ? inTurn : r1 % list.totalWeight + 1;
    PickEntry *chosen = list.head;
    int64_t sum = 0;
    for (PickEntry *e = list.head; e; e = e->next) {
        chosen = e;
        sum += e->weight;
        if (sum >= target) break;
    }
    HashEntry &symbol = *chosen->symbol;
    if (symbol.kind == kPickSymbol)
        return choose(cs, *static_cast<PickList *>(symbol.value.object), nesting + 1);
    return static_cast<const Definition *>(symbol.value.object);
}

}  // namespace

PickList::~PickList() {
    while (head) {
        PickEntry *next = head->next;
        delete head;
        head = next;
    }
}

void PickStatement(CompileState &cs) {
    if (cs.ch != '[') {
        pickList(cs);
        return;
    }
    advance(cs);
    while (!atListEnd(cs)) pickList(cs);
}

int AddPickEntry(PickList &list, HashEntry *symbol, int32_t weight) {
    const int32_t arguments = argumentCountOf(*symbol);
    if (list.count > 0 && arguments != list.argumentCount) return kMsgArgumentCounts;
    if (int64_t{list.totalWeight} + weight > std::numeric_limits<int32_t>::max())
        return kMsgOutOfRange;
    PickEntry *entry = new (std::nothrow) PickEntry{symbol, weight, nullptr};
    if (!entry) return kMsgNoMemory;
    if (list.count == 0) list.argumentCount = arguments;
    if (list.tail) list.tail->next = entry;
    else list.head = entry;
    list.tail = entry;
    ++list.count;
    list.totalWeight += weight;
    return 0;
}

const Definition *ChooseFromPickList(CompileState &cs, PickList &list) {
    return choose(cs, list, 0);
}

}  // namespace vek
