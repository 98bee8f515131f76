// The note emitter: the voice's group modifiers and the track's settings
// applied to the note being built, stored in every target track.
#include <cstring>
#include <vector>

#include "entry/compile_state.h"
#include "events/emission_support.h"
#include "events/note_shaping.h"
#include "events/song_context.h"
#include "input/errors.h"
#include "input/lexer.h"
#include "input/listing.h"
#include "input/reader.h"
#include "input/symbol_table.h"
#include "music/emission.h"
#include "music/note_marks.h"
#include "music/pitch.h"
#include "music/ticks.h"

namespace vek {

namespace {

constexpr int32_t kMaxChannel = 15;
constexpr int32_t kBaseOctaves = 5;  // added to a track octave that is not absolute

// Each step below is a template on Plain: the note has no prefix operator
// (every mode kModeNone), no note flag, hold or glide, and the track no
// shaping (see plainNote). There every term marked !Plain is zero or the
// identity, so the compiler drops it; one code serves both roads.

// Start in ticks: the group's delay and the last cluster's length change
// move it, and the track's delay unless the group's delay is absolute.
template <bool Plain>
int32_t noteTime(const VoiceState &v, const Track &t, int32_t start) {
    int64_t time = start;
    if (Plain || !v.flags.delayAbsolute) {
        const GroupModifier &delay = v.modifier(kOpDelay);
        time += int64_t{delay.value} + v.groupShift;
        if (!Plain && delay.mode != kModeAbsolute) time += t.delay;
    }
    return time < 0 ? 0 : saturateTicks(time);
}

// Sounding length in ticks. The track's limits judge the length as written,
// before the group and track offsets; a note held for a glide keeps it.
template <bool Plain>
int64_t noteLength(const NoteDraft &d, int32_t division, const VoiceState &v, const Track &t) {
    int64_t given = d.duration;
    if (!Plain && v.hold.sequential) return given;
    if (!Plain && t.resolution != division && division > 0) given = given * t.resolution / division;
    int64_t length = given;
    if (Plain || !v.flags.durationAbsolute) {
        const GroupModifier &lengthChange = v.modifier(kOpLength);
        length += int64_t{lengthChange.value} - v.groupShift - v.modifier(kOpDelay).value;
        if (!Plain && lengthChange.mode != kModeAbsolute) length += t.lengthOffset;
    }
    if (given > t.maxDuration) return t.maxDuration;
    if (given < t.minDuration) return t.minDuration;
    return length;
}

template <bool Plain>
int32_t octaveShift(bool relativePitch, const VoiceState &v, const Track &t) {
    if ((!Plain && v.flags.octaveAbsolute) || relativePitch) return 0;
    const GroupModifier &group = v.modifier(kOpOctave);
    int32_t octaves = Plain ? 0 : group.given();
    if (Plain || group.mode != kModeAbsolute)
        octaves += t.octaveAbsolute == 1 ? t.octave : t.octave + kBaseOctaves;
    return 12 * octaves;
}

int32_t diatonicShift(const VoiceState &v, const Track &t, int32_t key) {
    if (v.flags.diatonicAbsolute) return key;
    const GroupModifier &group = v.modifier(kOpDiatonic);
    if (group.mode) key = TransposeDiatonic(key, v.key.tonic, group.value);
    if (group.mode != kModeAbsolute && t.diatonicShift != 0)
        key = TransposeDiatonic(key, v.key.tonic, t.diatonicShift);
    return key;
}

int32_t chromaticShift(const VoiceState &v, const Track &t, int32_t key) {
    if (v.flags.chromaticAbsolute) return key;
    const GroupModifier &group = v.modifier(kOpTranspose);
    key += group.given();
    if (group.mode != kModeAbsolute) key += t.transpose;
    return key;
}

// A track's full key range folds exactly as foldKey does.
template <bool Plain>
uint8_t noteKey(const NoteDraft &d, bool relativePitch, const VoiceState &v, const Track &t) {
    int32_t key = d.key + octaveShift<Plain>(relativePitch, v, t);
    if (!Plain) {
        key = chromaticShift(v, t, diatonicShift(v, t, key));
        key = keyInTrackRange(t, key);
        // While a glide has bent the wheel, later notes sound the bend away.
        if (v.hold.glide == kGlideNone) key -= static_cast<int8_t>(t.glideSemitones);
    }
    return static_cast<uint8_t>(foldKey(key));
}

// Raises 65 before anything of the note reaches this track.
template <bool Plain>
uint8_t noteChannel(CompileState &cs, const VoiceState &v, const Track &t) {
    int32_t channel = cs.note.draft.channel;
    if (Plain || !v.flags.channelGiven) {
        const GroupModifier &group = v.modifier(kOpChannel);
        channel = cs.note.channel + (Plain ? 0 : group.given());
        channel += !Plain && group.mode == kModeAbsolute ? -1 : t.channel;
    }
    if (channel < 0 || channel > kMaxChannel) error(cs, kMsgChannelRange);
    return static_cast<uint8_t>(channel);
}

int64_t accent(const VoiceState &v, const Track &t) {
    int64_t velocity =
        v.flags.velocity == kVelocityAccented ? int64_t{v.flags.accents} * t.accentStep : 0;
    const GroupModifier &group = v.modifier(kOpVelocity);
    if (group.mode == kModeRelative) velocity += group.value;
    if (group.mode == kModeReuse) velocity += t.accentStep;
    velocity += group.mode == kModeAbsolute ? group.value : t.velocityOffset;
    return velocity;
}

// The velocity is brought into 0-127 before it is mapped onto the track's
// range, so that no accent or ramp can push a note outside that range.
// Plain: no accent, no ramp, the full range.
template <bool Plain>
uint8_t noteVelocity(const VoiceState &v, const Track &t) {
    if (Plain) return dataByte(int64_t{v.lastVelocity} + t.velocityOffset);
    int64_t velocity = v.lastVelocity;
    if (v.flags.velocity != kVelocityGiven) velocity += accent(v, t);
    return velocityInTrackRange(t, dataByte(velocity + trackCrescendo(t, v.timing.time)));
}

// The listing and the note places, off in most compiles: kept out of line
// so that the store around their one test stays small.
void logStored(CompileState &cs, Track &track, const Event &e) {
    if (cs.listOn) listEvent(cs, e, &track);
    if (cs.song->noteSources && e.kind == kNote) logNoteSource(cs, track, e);
}

// `last` is the event's last tick: its end for a note. Forced inline: a
// call would cost as much as the store itself.
VEK_ALWAYS_INLINE void store(CompileState &cs, Track &track, const Event &e, int64_t last) {
    checkEventTime(cs, last);
    track.insert(e);
    if (cs.listOn || cs.song->noteSources) [[unlikely]] logStored(cs, track, e);
}

// Inline, unlike storeEvent: it stands on every note.
VEK_ALWAYS_INLINE void storeNote(CompileState &cs, Track &t, const Event &e) {
    const int64_t end = int64_t{e.time} + e.extra;
    store(cs, t, e, end);
    // Within 32 bits: the time check has passed.
    if (end > t.trackEnd) t.trackEnd = static_cast<int32_t>(end);
}

// A glide reaches its target note: bend the wheel there and, when the
// chain ends, store the held note with the length of the whole chain.
void glideTarget(CompileState &cs, VoiceState &v, Track &t, const Event &e) {
    v.timing.eventStart = saturateTicks(int64_t{e.time} - v.hold.glideOffset);
    EmitGlide(cs, v, e, &t);  // its sweep ends at the note, moving eventStart back there
    int64_t length = int64_t{t.held.extra} + cs.note.draft.duration;
    t.held.extra = length > 0 ? static_cast<uint32_t>(saturateTicks(length)) : 0;
    if (v.hold.sequential || t.held.extra == 0) return;
    length += int64_t{t.lengthOffset} + v.modifier(kOpLength).value - v.modifier(kOpDelay).value -
              v.groupShift;
    if (cs.note.heldPending && length > 0) {
        Event held = t.held;
        held.extra = static_cast<uint32_t>(saturateTicks(length));
        storeNote(cs, t, held);
    }
    if (v.hold.notesTogether() && v.timing.pendingNotes != 0 && !isBlank(cs.ch))
        v.timing.time = t.held.time;
    t.held.extra = 0;
}

// Inline: the plain note's road is short enough that a call's frame would
// be a tenth of it. The general road is called, through emitShaped.
template <bool Plain>
VEK_ALWAYS_INLINE void emitToTarget(CompileState &cs, VoiceState &v, Track &t) {
    const uint8_t channel = noteChannel<Plain>(cs, v, t);
    const NoteDraft &d = cs.note.draft;
    const int64_t length = noteLength<Plain>(d, cs.song->division, v, t);
    // A length that offsets take below zero does not sound (it would read
    // as an enormous unsigned duration).
    const uint32_t extra = length > 0 ? static_cast<uint32_t>(saturateTicks(length)) : 0;
    const Event e{noteTime<Plain>(v, t, d.start), channel, kNote,
                  noteKey<Plain>(d, cs.relativePitch != 0, v, t), noteVelocity<Plain>(v, t), extra};
    const bool sounding = Plain || (v.hold.glide == kGlideNone && !v.hold.sequential);
    if (!Plain && v.hold.sequential && v.hold.glide == kGlideNone) {
        t.held = e;
        cs.note.heldPending = 1;
    }
    if (e.extra != 0 && sounding && !cs.note.silent && !v.groupMute) storeNote(cs, t, e);
    if (!Plain && v.hold.glide == kGlideToTarget) glideTarget(cs, v, t, e);
    t.lastNote = e;
}

// Whether the note, whatever the track, qualifies for the short road. The
// note flags are eight one-byte fields, all zero when none was written.
bool plainNote(const VoiceState &v) {
    static_assert(sizeof(NoteFlags) == sizeof(uint64_t));
    uint64_t flags;
    std::memcpy(&flags, &v.flags, sizeof flags);
    return flags == 0 && !v.operatorsWritten && v.hold.glide == kGlideNone && !v.hold.sequential;
}

void emitShaped(CompileState &cs, VoiceState &v, Track &t) { emitToTarget<false>(cs, v, t); }

VEK_ALWAYS_INLINE void emitTo(CompileState &cs, VoiceState &v, Track &t, bool plain) {
    if (plain && !t.shaping) emitToTarget<true>(cs, v, t);
    else emitShaped(cs, v, t);
}

}  // namespace

void storeEvent(CompileState &cs, Track &track, const Event &e) {
    store(cs, track, e, e.kind == kNote ? int64_t{e.time} + e.extra : e.time);
}

// A section sends the note to each of its tracks, from the last to the first.
void EmitNote(CompileState &cs) {
    VoiceState &v = *cs.voice;
    const bool plain = plainNote(v);
    if (v.sectionMode && v.section) {
        std::vector<Track *> tracks;
        HashTable::collectTracks(*v.section, tracks);
        for (auto it = tracks.rbegin(); it != tracks.rend(); ++it) emitTo(cs, v, **it, plain);
    } else if (v.track) {
        emitTo(cs, v, *v.track, plain);
    }
    if (v.hold.glide == kGlideToTarget && !v.hold.sequential) cs.note.heldPending = 0;
    cs.note.silent = 0;
}

}  // namespace vek
