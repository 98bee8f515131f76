#include "app/font_record.h"

#include "platform/profile_file.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace vek::editor {

namespace {

constexpr int kFixedPitch = 1;
constexpr int kVariablePitch = 2;
constexpr int kFamilyModern = 0x30;  // fixed-width families

}  // namespace

FontRecord FontRecord::load(const ProfileFile &profile, const QString &section) {
    FontRecord record;
    record.height = profile.readInt(section, QStringLiteral("Height"), 0);
    if (record.height == 0)
        return record;
    record.weight = profile.readInt(section, QStringLiteral("Weight"), 0);
    record.italic = profile.readInt(section, QStringLiteral("Italic"), 0);
    record.underline = profile.readInt(section, QStringLiteral("Underline"), 0);
    record.pitchAndFamily = profile.readInt(section, QStringLiteral("PitchAndFamily"), 0);
    record.charSet = profile.readInt(section, QStringLiteral("CharSet"), 1);
    record.faceName = profile.readString(section, QStringLiteral("FaceName"), QStringLiteral("System"))
                          .left(kMaxFaceName);
    return record;
}

bool FontRecord::save(ProfileFile &profile, const QString &section) const {
    bool ok = profile.writeInt(section, QStringLiteral("Height"), height);
    if (height == 0)
        return ok;
    ok = profile.writeInt(section, QStringLiteral("Weight"), weight) && ok;
    ok = profile.writeInt(section, QStringLiteral("Italic"), italic) && ok;
    ok = profile.writeInt(section, QStringLiteral("Underline"), underline) && ok;
    ok = profile.writeInt(section, QStringLiteral("PitchAndFamily"), pitchAndFamily) && ok;
    ok = profile.writeInt(section, QStringLiteral("CharSet"), charSet) && ok;
    return profile.writeString(section, QStringLiteral("FaceName"), faceName.left(kMaxFaceName)) && ok;
}

FontRecord FontRecord::fromFont(const QFont &font, double dpi) {
    FontRecord record;
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72.0;
    record.height = -std::max(1, int(std::lround(pixels)));
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.pitchAndFamily = font.fixedPitch() ? (kFixedPitch | kFamilyModern) : kVariablePitch;
    record.faceName = font.family().left(kMaxFaceName);
    return record;
}

QFont FontRecord::toFont(double dpi) const {
    if (!isSet())
        return defaultDisplayFont();
    QFont font(faceName);
    // Point sizes let the same record serve the screen and the printer.
    font.setPointSizeF(std::abs(height) * 72.0 / dpi);
    if (weight > 0)
        font.setWeight(QFont::Weight(std::clamp(weight, 1, 1000)));
    font.setItalic(italic != 0);
    font.setUnderline(underline != 0);
    if ((pitchAndFamily & 3) == kFixedPitch || (pitchAndFamily & 0xF0) == kFamilyModern) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    return font;
}

QFont defaultDisplayFont() {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

double screenDpi() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

}  // namespace vek::editor
