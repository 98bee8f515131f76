// The control ids of the drum dialogs: the object names their widgets carry,
// set by the dialogs and looked up by their tests. The numbers repeat from
// one dialog to the next, so each dialog has a namespace of its own.
#pragma once
#include <array>

namespace vek::editor::drum_ids {

constexpr int kOk = 1;
constexpr int kCancel = 2;

// A sub-record's name field, "Edit..." button and "Hold" box.
struct SubRecordRow {
    int name, edit, hold;
};

namespace figure {
constexpr int kDialog = 116;
constexpr int kName = 1054, kInstrument = 1069, kSeed = 1086, kTwelveButton = 1085, kSixteenButton = 1084;
constexpr int kSave = 1070, kPlayNew = 1071, kPlayThis = 1087, kShortlist = 1046, kReview = 1047;
// The frequency fields: 0-7 the first column top to bottom, 8-15 the second.
constexpr std::array<int, 16> kFrequencies{1072, 1024, 1025, 1026, 1027, 1073, 1028, 1029,
                                           1031, 1032, 1033, 1034, 1035, 1030, 1036, 1037};
}  // namespace figure

namespace pattern {
constexpr int kDialog = 115;
constexpr int kName = 1031, kSeed = 1050, kTrailingCrash = 1125;
constexpr int kSave = 1049, kPlayNew = 1045, kPlayThis = 1048, kShortlist = 1046, kReview = 1047;
constexpr SubRecordRow kFigures[] = {{1095, 1036, 1040}, {1094, 1037, 1041}, {1093, 1038, 1042}, {1092, 1039, 1043}};
}  // namespace pattern

namespace machine {
constexpr int kDialog = 121;
constexpr int kName = 1106, kRepeatsA = 1118, kRepeatsB = 1119, kBreakEvery = 1024, kTotal = 1050;
constexpr int kSeed = 1108, kTempo = 1127, kEnding = 1117;
constexpr int kSave = 1107, kPlayNew = 1097, kPlayThis = 1098, kShortlist = 1099, kReview = 1100;
// Patterns A, B and X.
constexpr SubRecordRow kPatterns[] = {{1102, 1109, 1113}, {1103, 1110, 1114}, {1104, 1111, 1115}};
}  // namespace machine

}  // namespace vek::editor::drum_ids
