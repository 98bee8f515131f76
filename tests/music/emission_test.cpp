// Note, controller, sweep and glide emission into the event store.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/reader.h"
#include "input/symbol_table.h"
#include "music/emission.h"
#include "support/reader_fixture.h"

namespace vek {
namespace {

std::vector<Event> eventsOf(Track &t) {
    std::vector<Event> out;
    for (int32_t i = 0; i < t.count(); ++i) out.push_back(*t.at(i));
    return out;
}

int32_t wheelValue(const Event &e) { return (e.data2 << 7 | e.data1) - 8192; }

class Emission : public ::testing::Test {
protected:
    test::ReaderFixture f{"abc"};
    CompileState &cs = f.cs();
    VoiceState &v = *cs.voice;
    Track &track = *cs.voice->track;

    // Emits one note from a draft into the emptied track and returns the
    // events stored for it.
    std::vector<Event> note(int32_t key, int32_t duration = 120, int32_t start = 0) {
        track.clear();
        // Set here, the fields skip the writers that keep their summaries.
        track.refreshShaping();
        v.operatorsWritten = std::any_of(std::begin(v.modifiers), std::end(v.modifiers),
                                         [](const GroupModifier &g) { return g.mode != kModeNone; });
        cs.note.draft = NoteDraft{start, cs.note.channel, key, 0, duration};
        EmitNote(cs);
        return eventsOf(track);
    }
    Event single(int32_t key, int32_t duration = 120, int32_t start = 0) {
        const std::vector<Event> e = note(key, duration, start);
        EXPECT_EQ(e.size(), 1u);
        return e.empty() ? Event{} : e.front();
    }
    std::unique_ptr<Track> newTrack(uint8_t channel = 0) {
        std::unique_ptr<Track> t(f.song().newTrack());
        t->channel = channel;
        return t;
    }
};

// ---- Notes ----

TEST_F(Emission, FreshTrackAddsFiveOctavesTheVelocityOffsetAndItsChannel) {
    cs.note.channel = 2;
    track.channel = 3;
    const Event e = single(0, 120, 30);
    EXPECT_EQ(e.kind, kNote);
    EXPECT_EQ(e.data1, 60);
    EXPECT_EQ(e.data2, 64);
    EXPECT_EQ(e.channel, 5);
    EXPECT_EQ(e.time, 30);
    EXPECT_EQ(e.extra, 120u);
    EXPECT_EQ(track.trackEnd, 150);
    EXPECT_EQ(track.lastNote.data1, 60);
    v.lastVelocity = 70;
    EXPECT_EQ(single(0).data2, 127);  // 134 clamped
}

TEST_F(Emission, KeysFoldIntoTheTrackRangeByOctaves) {
    track.keyLow = 48;
    track.keyHigh = 72;
    v.flags.octaveAbsolute = true;
    const std::pair<int, int> cases[] = {{40, 52}, {85, 61}, {48, 48}, {72, 72}, {47, 59}, {0, 48}};
    for (auto [key, expected] : cases) EXPECT_EQ(single(key).data1, expected) << key;
}

TEST_F(Emission, KeysOutsideMidiRangeFoldByOctaves) {
    v.flags.octaveAbsolute = true;
    const std::pair<int, int> cases[] = {{200, 116}, {128, 116}, {127, 127}, {-5, 7}, {-12, 0}};
    for (auto [key, expected] : cases) EXPECT_EQ(single(key).data1, expected) << key;
    track.glideSemitones = 5;  // a bend up of 5 semitones in force
    EXPECT_EQ(single(2).data1, 9);
    track.glideSemitones = static_cast<uint8_t>(-3);
    EXPECT_EQ(single(126).data1, 117);
}

TEST_F(Emission, VelocityRangeScalesTheWholeScale) {
    track.velocityLow = 40;
    track.velocityHigh = 100;
    v.flags.velocity = kVelocityGiven;  // lastVelocity is the velocity
    const std::pair<int, int> cases[] = {{127, 100}, {0, 40}, {64, 70}, {200, 100}, {-50, 40}};
    for (auto [velocity, expected] : cases) {
        v.lastVelocity = velocity;
        EXPECT_EQ(single(0).data2, expected) << velocity;
    }
    track.velocityHigh = 30;  // an empty range gives its low end
    EXPECT_EQ(single(0).data2, 40);
}

TEST_F(Emission, AccentsAndGroupVelocity) {
    track.accentStep = 10;
    // accents: -1 for a velocity given with the note
    struct Case { int accents; ModifierMode groupMode; int32_t group, last, expected; };
    const Case cases[] = {
        {0, kModeNone, 0, 0, 64},       {1, kModeNone, 0, 0, 74},
        {2, kModeNone, 0, 0, 84},       {0, kModeReuse, 0, 0, 74},
        {0, kModeRelative, 5, 0, 69},   {0, kModeAbsolute, 30, 0, 30},
        {1, kModeAbsolute, 30, 0, 40},  {-1, kModeRelative, 5, 90, 90},
        {0, kModeNone, 0, 5, 69},
    };
    for (const Case &c : cases) {
        v.flags.velocity = c.accents < 0 ? kVelocityGiven : c.accents > 0 ? kVelocityAccented : kVelocityOfTrack;
        v.flags.accents = static_cast<uint8_t>(c.accents > 0 ? c.accents : 0);
        v.modifiers[kOpVelocity].mode = c.groupMode;
        v.modifiers[kOpVelocity].value = c.group;
        v.lastVelocity = c.last;
        EXPECT_EQ(single(0).data2, c.expected) << c.accents << " " << int(c.groupMode);
    }
}

TEST_F(Emission, CrescendoRampsWithTheVoiceTimeBothWays) {
    track.crescendoStart = 0;
    track.crescendoEnd = 480;
    const std::pair<int, int> rising[] = {{0, 64}, {240, 84}, {480, 104}, {600, 104}};
    track.crescendoAmount = 40;
    for (auto [time, expected] : rising) {
        v.timing.time = time;
        EXPECT_EQ(single(0).data2, expected) << time;
    }
    const std::pair<int, int> falling[] = {{0, 64}, {240, 44}, {600, 24}};
    track.crescendoAmount = -40;
    for (auto [time, expected] : falling) {
        v.timing.time = time;
        EXPECT_EQ(single(0).data2, expected) << time;
    }
}

TEST_F(Emission, GroupPitchModifiersAbsoluteAndRelative) {
    track.transpose = 2;
    track.diatonicShift = 1;
    track.octave = 1;
    v.flags.diatonicAbsolute = true;  // keep the track's diatonic shift out at first
    EXPECT_EQ(single(0).data1, 74);  // 12 x (1 + 5) + 2
    v.modifiers[kOpOctave].mode = kModeRelative;
    v.modifiers[kOpOctave].value = 1;
    EXPECT_EQ(single(0).data1, 86);
    v.modifiers[kOpOctave].mode = kModeAbsolute;
    v.modifiers[kOpOctave].value = 4;
    EXPECT_EQ(single(0).data1, 50);  // the track's octave is left out
    v.modifiers[kOpOctave].mode = kModeNone;
    track.octaveAbsolute = 1;
    EXPECT_EQ(single(0).data1, 14);
    cs.relativePitch = 1;  // relative pitch brings its own octave
    EXPECT_EQ(single(60).data1, 62);
    cs.relativePitch = 0;
    track.octaveAbsolute = 0;
    track.octave = 0;

    v.modifiers[kOpTranspose].mode = kModeRelative;
    v.modifiers[kOpTranspose].value = 3;
    EXPECT_EQ(single(0).data1, 65);
    v.modifiers[kOpTranspose].mode = kModeAbsolute;
    EXPECT_EQ(single(0).data1, 63);
    v.flags.chromaticAbsolute = true;
    EXPECT_EQ(single(0).data1, 60);
    v.flags.chromaticAbsolute = false;
    v.modifiers[kOpTranspose].mode = kModeNone;
    track.transpose = 0;

    v.flags.diatonicAbsolute = false;
    EXPECT_EQ(single(0).data1, 62);  // C up one step of C major
    v.modifiers[kOpDiatonic].mode = kModeRelative;
    v.modifiers[kOpDiatonic].value = 1;
    EXPECT_EQ(single(0).data1, 64);
    v.modifiers[kOpDiatonic].mode = kModeAbsolute;
    v.modifiers[kOpDiatonic].value = 2;
    EXPECT_EQ(single(0).data1, 64);
}

TEST_F(Emission, GroupChannelAbsoluteAndRelative) {
    track.channel = 5;
    v.modifiers[kOpChannel].mode = kModeAbsolute;
    v.modifiers[kOpChannel].value = 4;
    EXPECT_EQ(single(0).channel, 3);  // counted from 1, the track's channel left out
    v.modifiers[kOpChannel].mode = kModeRelative;
    v.modifiers[kOpChannel].value = 1;
    EXPECT_EQ(single(0).channel, 6);
    v.flags.channelGiven = 1;
    cs.note.draft.channel = 9;
    track.clear();
    EmitNote(cs);  // the draft as it is
    EXPECT_EQ(track.at(0)->channel, 9);
}

TEST_F(Emission, ChannelOutOfRangeRaises65AndStoresNothing) {
    nextChar(cs, kReadNormal);
    nextChar(cs, kReadNormal);
    const int32_t where = position(cs);
    v.modifiers[kOpChannel].mode = kModeAbsolute;
    v.modifiers[kOpChannel].value = 17;
    const SourceError e = f.expectError([&] { note(0); });
    EXPECT_EQ(e.code, 65);
    EXPECT_STREQ(e.message, " Channel out of range ");
    EXPECT_STREQ(e.fileName, "song.vek");
    EXPECT_EQ(e.position, where);
    EXPECT_EQ(track.count(), 0);
    EXPECT_EQ(track.lastNote.kind, 0);
}

TEST_F(Emission, NegativeChannelRaises65) {
    cs.note.channel = -1;
    EXPECT_EQ(f.expectError([&] { note(0); }).code, 65);
    EXPECT_EQ(track.count(), 0);
}

TEST_F(Emission, DelayAndLengthModifiers) {
    track.delay = 5;
    track.lengthOffset = 7;
    struct Case {
        ModifierMode delayMode, lengthMode;
        uint8_t delayAbs, lengthAbs;
        int32_t delay, length, shift, time, extra;
    };
    const Case cases[] = {
        {kModeNone, kModeNone, 0, 0, 0, 0, 0, 5, 127},
        {kModeNone, kModeNone, 0, 0, 10, 0, 0, 15, 117},
        {kModeAbsolute, kModeNone, 0, 0, 10, 0, 0, 10, 117},
        {kModeNone, kModeNone, 0, 0, 0, 20, 0, 5, 147},
        {kModeNone, kModeAbsolute, 0, 0, 0, 20, 0, 5, 140},
        {kModeNone, kModeNone, 0, 0, 0, 0, 10, 15, 117},
        {kModeNone, kModeNone, 1, 1, 10, 20, 10, 0, 120},
    };
    for (const Case &c : cases) {
        v.modifiers[kOpDelay].mode = c.delayMode;
        v.modifiers[kOpLength].mode = c.lengthMode;
        v.flags.delayAbsolute = c.delayAbs;
        v.flags.durationAbsolute = c.lengthAbs;
        v.modifiers[kOpDelay].value = c.delay;
        v.modifiers[kOpLength].value = c.length;
        v.groupShift = c.shift;
        const Event e = single(0);
        EXPECT_EQ(e.time, c.time);
        EXPECT_EQ(e.extra, static_cast<uint32_t>(c.extra));
    }
}

TEST_F(Emission, ResolutionAndDurationLimits) {
    const int32_t division = f.song().division;
    track.setResolution(480, division);  // durations in the track count 480 to the quarter
    EXPECT_EQ(single(0, 120).extra, 480u);
    track.setResolution(division, division);
    track.maxDuration = 100;
    EXPECT_EQ(single(0, 120).extra, 100u);
    v.modifiers[kOpLength].value = 50;  // the limit judges the length as written
    EXPECT_EQ(single(0, 90).extra, 140u);
    v.modifiers[kOpLength].value = 0;
    track.maxDuration = 65535;
    track.minDuration = 200;
    EXPECT_EQ(single(0, 120).extra, 200u);
}

TEST_F(Emission, NotesThatDoNotSound) {
    cs.note.silent = 1;
    EXPECT_TRUE(note(0).empty());
    EXPECT_EQ(cs.note.silent, 0);  // one note only
    v.groupMute = 1;
    EXPECT_TRUE(note(0).empty());
    v.groupMute = 0;
    EXPECT_TRUE(note(0, 0).empty());
    v.modifiers[kOpLength].value = -200;  // offsets take away more than the note has
    EXPECT_TRUE(note(0, 120).empty());
    EXPECT_EQ(track.lastNote.data1, 60);  // still the reference for key pressure
}

TEST_F(Emission, SectionNoteGoesToEveryTrackLastFirst) {
    auto a = newTrack(1), b = newTrack(2);
    SectionGroup inner;
    inner.count = 1;
    inner.kinds[0] = kTrackSymbol;
    inner.members[0] = b.get();
    SectionGroup section;
    section.count = 2;
    section.kinds[0] = kTrackSymbol;
    section.members[0] = a.get();
    section.kinds[1] = kSectionSymbol;
    section.members[1] = &inner;
    v.section = &section;
    v.sectionMode = 1;
    cs.note.draft = NoteDraft{0, 0, 0, 0, 120};
    EmitNote(cs);
    ASSERT_EQ(a->count(), 1);
    ASSERT_EQ(b->count(), 1);
    EXPECT_EQ(a->at(0)->channel, 1);
    EXPECT_EQ(b->at(0)->channel, 2);
    EXPECT_EQ(track.count(), 0);

    a->channel = 20;  // b, the last member, is served before a fails
    EXPECT_EQ(f.expectError([&] { EmitNote(cs); }).code, 65);
    EXPECT_EQ(a->count(), 1);
    EXPECT_EQ(b->count(), 2);
}

TEST_F(Emission, EmptySectionStoresNothing) {
    SectionGroup empty;
    v.section = &empty;
    v.sectionMode = 1;
    EXPECT_TRUE(note(0).empty());
}

// ---- Controllers and sweeps ----

class Sweep : public Emission {
protected:
    ControllerDefinition control;  // controller 7, 0-127, rate 20, step 1
    static SectionGroup sectionOf(std::initializer_list<Track *> tracks) {
        SectionGroup section;
        for (Track *t : tracks) {
            section.kinds[section.count] = kTrackSymbol;
            section.members[section.count++] = t;
        }
        return section;
    }
    void SetUp() override {
        control.number = 7;
        cs.tempo = 12000;
    }
};

TEST_F(Sweep, ZeroTo127OverOneBeatAt120BpmRate20GivesElevenEvents) {
    EmitControl(cs, control, 120, v, 127, true, &track, false);
    const std::vector<Event> e = eventsOf(track);
    ASSERT_EQ(e.size(), 11u);
    for (size_t k = 0; k < 10; ++k) EXPECT_EQ(e[k].data2, 12 * (k + 1));
    EXPECT_EQ(e.back().time, 120);
    EXPECT_EQ(e.back().data2, 127);
    EXPECT_EQ(e.front().time, 11);
    for (size_t k = 1; k < e.size(); ++k) EXPECT_LT(e[k - 1].time, e[k].time);
    EXPECT_EQ(e.front().kind, kController);
    EXPECT_EQ(e.front().data1, 7);
    EXPECT_EQ(v.timing.eventStart, 120);
    EXPECT_EQ(f.song().endTime, 120);
}

TEST_F(Sweep, FallingSweepStepsEvenlyFromTheRememberedValue) {
    EmitControl(cs, control, 0, v, 127, true, &track, false);
    EmitControl(cs, control, 120, v, 0, true, &track, false);
    const std::vector<Event> e = eventsOf(track);
    ASSERT_EQ(e.size(), 12u);
    int previous = 127;
    for (size_t k = 1; k < e.size(); ++k) {
        EXPECT_LE(previous - e[k].data2, 12) << k;
        previous = e[k].data2;
    }
    EXPECT_EQ(e.back().data2, 0);
    EXPECT_EQ(e.back().time, 120);
}

TEST_F(Sweep, RelativeValuesCountFromTheMemoryPerChannel) {
    EmitControl(cs, control, 0, v, 100, true, &track, false);
    EmitControl(cs, control, 0, v, -27, false, &track, false);
    EXPECT_EQ(track.at(1)->data2, 73);
    EXPECT_EQ(f.song().controllerMemory[controllerKey(0, 0, kController, 7)], 73);
    auto other = newTrack(4);  // another channel starts from 0
    EmitControl(cs, control, 0, v, 10, false, other.get(), false);
    EXPECT_EQ(other->at(0)->data2, 10);
    EmitControl(cs, control, 0, v, 500, false, &track, false);
    EXPECT_EQ(track.at(2)->data2, 127);  // clamped to the definition's maximum
}

TEST_F(Sweep, ValueChangesBelowTheStepAreLimitedByValue) {
    control.step = 20;  // 12 per time step would be below it
    EmitControl(cs, control, 120, v, 127, true, &track, false);
    const std::vector<Event> e = eventsOf(track);
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[0].data2, 20);
    EXPECT_EQ(e[4].data2, 100);
    EXPECT_EQ(e[5].data2, 127);
    EXPECT_EQ(e[5].time, 120);
}

TEST_F(Sweep, DegenerateStepRateAndTimeNeverDivideByZero) {
    control.step = 0;  // taken as 1
    EmitControl(cs, control, 120, v, 127, true, &track, false);
    EXPECT_EQ(track.count(), 11);
    track.clear();
    control.rate = 0;
    cs.tempo = 1;  // events faster than one per tick: limited by value
    EmitControl(cs, control, 120, v, 0, true, &track, false);
    EXPECT_EQ(track.count(), 127);
    EXPECT_EQ(track.at(126)->time, 240);
    track.clear();
    cs.tempo = 12000;
    v.timing.eventStart = 500;
    EmitControl(cs, control, -100, v, 64, true, &track, false);  // backwards in time
    EXPECT_EQ(track.count(), 0);
    EXPECT_EQ(v.timing.eventStart, 400);
}

TEST_F(Sweep, PitchWheel8192IsSentAs8191) {
    ControllerDefinition &wheel = cs.wheelDefinition;
    const std::pair<int, int> cases[] = {{8192, 8191}, {8191, 8191}, {0, 0}, {-8192, -8192}, {-9000, -8192}};
    for (auto [value, expected] : cases) {
        EmitControl(cs, wheel, 0, v, value, true, &track, false);
        const Event e = *track.at(track.count() - 1);
        EXPECT_EQ(e.kind, kPitchWheel);
        EXPECT_EQ(wheelValue(e), expected) << value;
    }
    EXPECT_EQ(track.at(0)->data1, 127);
    EXPECT_EQ(track.at(0)->data2, 127);
}

TEST_F(Sweep, SectionOnOneChannelGetsOneEventPerStep) {
    auto a = newTrack(), b = newTrack(), c = newTrack();
    SectionGroup section = sectionOf({a.get(), b.get(), c.get()});
    v.section = &section;
    EmitControl(cs, control, 120, v, 127, true, &track, true);
    EXPECT_EQ(a->count(), 11);
    EXPECT_EQ(b->count() + c->count() + track.count(), 0);
    c->channel = 3;  // a track on its own channel gets its own events
    EmitControl(cs, control, 0, v, 10, true, &track, true);
    EXPECT_EQ(a->count(), 12);
    EXPECT_EQ(c->count(), 1);
    EXPECT_EQ(c->at(0)->channel, 3);
}

TEST_F(Sweep, KeyPressureFollowsEachTracksLastNote) {
    auto a = newTrack(), b = newTrack();
    a->lastNote.data1 = 60;
    b->lastNote.data1 = 64;
    SectionGroup section = sectionOf({a.get(), b.get()});
    v.section = &section;
    control.eventKind = kKeyPressure;
    EmitControl(cs, control, 0, v, 90, true, &track, true);
    ASSERT_EQ(a->count(), 1);
    ASSERT_EQ(b->count(), 1);
    EXPECT_EQ(a->at(0)->data1, 60);
    EXPECT_EQ(b->at(0)->data1, 64);
    EXPECT_EQ(b->at(0)->data2, 90);
}

TEST_F(Sweep, DataBytesByKind) {
    control.eventKind = kChannelPressure;
    control.maxValue = 100;
    EmitControl(cs, control, 0, v, 127, true, &track, false);
    EXPECT_EQ(track.at(0)->data1, 100);
    ControllerDefinition program;
    program.eventKind = kProgram;
    program.number = 5;
    EmitControl(cs, program, 0, v, 0, true, &track, false);
    EXPECT_EQ(track.at(1)->data1, 5);
    ControllerDefinition wide;  // limits beyond a data byte still store 0-127
    wide.minValue = -500;
    wide.maxValue = 500;
    EmitControl(cs, wide, 0, v, 300, true, &track, false);
    EmitControl(cs, wide, 0, v, -300, true, &track, false);
    EXPECT_EQ(track.at(2)->data2, 127);
    EXPECT_EQ(track.at(3)->data2, 0);
}

TEST_F(Sweep, DefinitionTargetsAndChannelOverride) {
    auto own = newTrack(2);
    control.target = own.get();
    control.flags = 1;
    control.channelOverride = 9;
    EmitControl(cs, control, 0, v, 50, true, &track, false);
    EXPECT_EQ(track.count(), 0);
    ASSERT_EQ(own->count(), 1);
    EXPECT_EQ(own->at(0)->channel, 9);

    auto a = newTrack(4), b = newTrack(5);
    SectionGroup section = sectionOf({a.get(), b.get()});
    control.target = &section;
    control.flags = 2;  // a section: each track on its own channel
    EmitControl(cs, control, 0, v, 60, true, &track, false);
    ASSERT_EQ(a->count(), 1);
    ASSERT_EQ(b->count(), 1);
    EXPECT_EQ(a->at(0)->channel, 4);
    EXPECT_EQ(b->at(0)->channel, 5);
}

TEST_F(Sweep, TempoSweepWritesTheTempoMap) {
    SongContext &song = f.song();
    cs.tempo = 10000;
    EmitControl(cs, cs.tempoDefinition, 480, v, 6000, true, &track, false);
    EXPECT_EQ(track.count(), 0);
    TempoMap &map = song.tempoMap;
    ASSERT_GT(map.count, 2);
    EXPECT_EQ(map.entries.count(), map.count);
    const TempoEntry *last = map.entries.at(map.count - 1);
    EXPECT_EQ(last->time, 480);
    EXPECT_EQ(last->tempo, 6000u);
    EXPECT_EQ(cs.tempo, 6000);
    map.settleRealTimes();
    for (int32_t k = 1; k < map.count; ++k) {
        EXPECT_LT(map.entries.at(k)->tempo, map.entries.at(k - 1)->tempo);
        EXPECT_GT(map.entries.at(k)->realTime, map.entries.at(k - 1)->realTime);
    }
    v.timing.eventStart = 960;
    EmitControl(cs, cs.tempoDefinition, 0, v, 1500, false, &track, false);  // from the tempo in force
    EXPECT_EQ(map.tempoAt(960)->tempo, 7500u);
    // Tempos outside 10 to 240 BPM are refused, never written as 0 or less.
    for (int32_t change : {-50000, -7000, 20000}) {
        try {
            EmitControl(cs, cs.tempoDefinition, 0, v, change, false, &track, false);
            ADD_FAILURE() << change;
        } catch (const ParseError &e) {
            EXPECT_STREQ(e.message, " Invalid tempo parameter \n tempo range is 10->240") << change;
        }
    }
    EXPECT_EQ(map.tempoAt(960)->tempo, 7500u);
}

TEST_F(Sweep, ControlOnTrackUsesExplicitEndPoints) {
    int32_t cursor = 100;
    EmitControlOnTrack(cs, control, 120, &cursor, 0, 64, &track);
    EXPECT_EQ(cursor, 220);
    EXPECT_EQ(control.lastValue, 64);
    ASSERT_GT(track.count(), 1);
    EXPECT_EQ(track.at(track.count() - 1)->time, 220);
    EXPECT_EQ(track.at(track.count() - 1)->data2, 64);
    EXPECT_GT(track.at(0)->time, 100);
}

// ---- Glides ----

TEST_F(Emission, GlideBendsTheHeldNoteAndStoresItOnce) {
    track.glideDefinition = &cs.wheelDefinition;  // 24 semitones over the wheel
    v.hold.sequential = 1;
    EXPECT_TRUE(note(0, 120, 0).empty());  // held, not yet stored
    EXPECT_EQ(cs.note.heldPending, 1);
    v.hold.sequential = 0;
    v.hold.glide = kGlideToTarget;
    v.hold.glideOffset = 60;
    const std::vector<Event> stored = note(4, 120, 120);
    v.hold.glide = kGlideNone;

    std::vector<Event> notes, wheel;
    for (const Event &e : stored) (e.kind == kNote ? notes : wheel).push_back(e);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].data1, 60);
    EXPECT_EQ(notes[0].time, 0);
    EXPECT_EQ(notes[0].extra, 240u);  // the whole chain
    ASSERT_FALSE(wheel.empty());
    EXPECT_GT(wheel.front().time, 60);
    EXPECT_EQ(wheel.back().time, 120);
    EXPECT_EQ(wheelValue(wheel.back()), 4 * 16384 / 24);
    EXPECT_EQ(track.glideSemitones, 4);
    EXPECT_EQ(cs.note.heldPending, 0);

    EXPECT_EQ(single(0, 120, 240).data1, 56);  // sounds as 60 under the bend

    v.hold.glide = kGlideToTarget;
    v.stepKind = kStepGlideOnly;  // W: the wheel goes back
    v.hold.glideOffset = 0;
    const std::vector<Event> back = note(0, 0, 360);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].kind, kPitchWheel);
    EXPECT_EQ(wheelValue(back[0]), 0);
    EXPECT_EQ(track.glideSemitones, 0);
}

TEST_F(Emission, GlideDownwardsAndRangeClamp) {
    ControllerDefinition narrow = cs.wheelDefinition;
    narrow.glideRangeHigh = 1;
    narrow.glideRangeLow = 0;  // one semitone spans the whole wheel
    track.glideDefinition = &narrow;
    v.hold.sequential = 1;
    note(12);
    v.hold.sequential = 0;
    v.hold.glide = kGlideToTarget;
    const std::vector<Event> stored = note(10);
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(wheelValue(stored.front()), -8192);
    EXPECT_EQ(static_cast<int8_t>(track.glideSemitones), -2);
}

}  // namespace
}  // namespace vek
