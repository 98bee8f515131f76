#include "drums/pattern_dialog.h"

#include "drums/drum_controls.h"
#include "drums/drum_session.h"
#include "drums/drum_text.h"
#include "drums/figure_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace vek::editor {

namespace {

namespace ids = drum_ids::pattern;

constexpr DrumDialog::SubRecordIds kFigureRows[] = {
    {"1", ids::kFigures[0]}, {"2", ids::kFigures[1]}, {"3", ids::kFigures[2]}, {"4", ids::kFigures[3]}};
constexpr int kMenuEntry = 1;  // the list entry a dialog opened from the menu loads

QString beatText(int beatMode) {
    if (beatMode == kTwelveBeat)
        return QStringLiteral("12 beat");
    if (beatMode == kSixteenBeat)
        return QStringLiteral("16 beat");
    return QStringLiteral("no beat");
}

}  // namespace

DrumPatternDialog::DrumPatternDialog(DrumSession &session, const DrumPattern &pattern, bool fromMenu,
                                     QWidget *parent)
    : DrumDialog(session, fromMenu, parent),
      m_name(nameCombo(ids::kName, true)),
      m_seed(numberField(ids::kSeed)),
      m_crash(checkBox(ids::kTrailingCrash, QStringLiteral("&Trailing Crash"))),
      m_beat(new QLabel),
      m_pattern(pattern) {
    setObjectName(QString::number(ids::kDialog));
    setWindowTitle(QStringLiteral("Drumpattern"));
    m_beat->setObjectName(QStringLiteral("beatMode"));
    auto *top = new QFormLayout;
    top->addRow(QStringLiteral("&Name:"), m_name);
    auto *seedRow = new QHBoxLayout;
    seedRow->addWidget(m_seed);
    seedRow->addSpacing(16);
    seedRow->addWidget(m_crash);
    seedRow->addStretch();
    seedRow->addWidget(m_beat);
    auto *seedLabel = new QLabel(QStringLiteral("S&eed:"));
    seedLabel->setBuddy(m_seed);
    top->addRow(seedLabel, seedRow);
    auto *left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(subRecordBox(QStringLiteral("Figures"), kFigureRows, m_figureNames, m_hold,
                                 [this](int i) { onEdit(i); },
                                 [this](int i, bool on) { m_holds[i] = on; }));
    left->addStretch();
    layOut(left, {ids::kSave, ids::kPlayNew, ids::kPlayThis, ids::kShortlist, ids::kReview},
           {[this] { onSave(); }, [this] { onPlayNew(); }, [this] { onPlayThis(); },
            [this] { m_shortList.add(m_pattern); }, [this] { onReview(); }, [this] { onOk(); }});
    connect(m_name, &QComboBox::activated, this, &DrumPatternDialog::onNameChosen);
    connect(m_crash, &QCheckBox::clicked, this, [this] { m_pattern.trailingCrash ^= 1; });
    showPattern();
}

bool DrumPatternDialog::initialise() {
    m_shortList.reset();
    fillNames(m_name, DrumLibrary::kPatterns);
    if (openedFromMenu()) {
        // A list shorter than the entry gives an empty pattern.
        const QString name = entryAt(m_name, kMenuEntry);
        m_pattern = name.isEmpty() ? DrumPattern{} : session().library().loadPattern(name);
        m_holds = {};
    }
    showPattern();
    return true;
}

void DrumPatternDialog::showPattern() {
    showName(m_name, m_pattern.name);
    for (int i = 0; i < 4; ++i) {
        m_figureNames[i]->setText(m_pattern.figures[i].name);
        m_hold[i]->setChecked(m_holds[i]);
    }
    setNumber(m_seed, m_pattern.seed);
    m_crash->setChecked(m_pattern.trailingCrash != 0);
    m_beat->setText(beatText(m_pattern.beatMode()));
}

bool DrumPatternDialog::collect() {
    FieldExchange exchange;
    exchange.number(m_seed, 0, kMaxSeed, m_pattern.seed);
    reseedPattern(m_pattern, m_pattern.seed, m_holds);
    m_pattern.name = takeName(m_name);
    return exchange.ok();
}

void DrumPatternDialog::onNameChosen(int index) {
    const QString name = entryAt(m_name, index);
    if (name.trimmed().isEmpty())
        return;
    m_pattern = session().library().loadPattern(name);
    m_holds = {};
    showPattern();
}

void DrumPatternDialog::onEdit(int figure) {
    DrumFigureDialog editor(session(), m_pattern.figures[figure], false, this);
    if (editor.run() != QDialog::Accepted)
        return;
    m_pattern.figures[figure] = editor.figure();
    m_holds[figure] = true;  // the next reseed keeps the edited figure
    showPattern();
}

void DrumPatternDialog::onSave() {
    if (collect())
        tell(session().library().savePattern(m_pattern));
}

void DrumPatternDialog::onPlayNew() {
    // The name and seed typed so far are taken first, so that the new
    // variation keeps a name given to it.
    if (!collect())
        return;
    session().seedRandom(DrumSession::clockSeed() ^ quint32(m_pattern.seed));
    reseedPattern(m_pattern, session().nextRandom(), m_holds);
    showPattern();
    onPlayThis();
}

void DrumPatternDialog::onPlayThis() {
    if (collect())
        session().play(patternProgram(m_pattern, session().instruments(), session().tempo()), this);
}

void DrumPatternDialog::onReview() {
    if (const DrumPattern *shown = m_shortList.review()) {
        m_pattern = *shown;
        showPattern();
        onPlayThis();
    }
}

void DrumPatternDialog::onOk() {
    // The seed field is checked, but the pattern stays as last collected.
    int seed = 0;
    if (FieldExchange().number(m_seed, 0, kMaxSeed, seed).ok())
        accept();
}

}  // namespace vek::editor
