#include "drums/drum_machine_dialog.h"

#include "drums/drum_controls.h"
#include "drums/drum_session.h"
#include "drums/drum_text.h"
#include "drums/pattern_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace vek::editor {

namespace {

namespace ids = drum_ids::machine;

constexpr DrumDialog::SubRecordIds kPatternRows[] = {{"Pattern &A:", ids::kPatterns[0]},
                                                     {"Pattern &B:", ids::kPatterns[1]},
                                                     {"Break pattern &X:", ids::kPatterns[2]}};
constexpr int kMenuEntry = 1;  // the list entry the dialog loads when it opens

}  // namespace

DrumMachineDialog::DrumMachineDialog(DrumSession &session, QWidget *parent)
    : DrumDialog(session, true, parent),
      m_name(nameCombo(ids::kName, true)),
      m_repeatsA(numberField(ids::kRepeatsA)),
      m_repeatsB(numberField(ids::kRepeatsB)),
      m_breakEvery(numberField(ids::kBreakEvery)),
      m_total(numberField(ids::kTotal)),
      m_seed(numberField(ids::kSeed)),
      m_tempo(numberField(ids::kTempo)),
      m_ending(checkBox(ids::kEnding, QStringLiteral("&Ending"))) {
    setObjectName(QString::number(ids::kDialog));
    setWindowTitle(QStringLiteral("Drum Machine"));
    auto *top = new QFormLayout;
    top->addRow(QStringLiteral("&Name:"), m_name);
    auto *left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(subRecordBox(QStringLiteral("Patterns"), kPatternRows, m_patternNames, m_hold,
                                 [this](int i) { onEdit(i); },
                                 [this](int i, bool on) { m_holds[i] = on; }));
    left->addLayout(buildNumbers());
    left->addStretch();
    layOut(left, {ids::kSave, ids::kPlayNew, ids::kPlayThis, ids::kShortlist, ids::kReview},
           {[this] { onSave(); }, [this] { onPlayNew(); }, [this] { onPlayThis(); },
            [this] { m_shortList.add(m_part); }, [this] { onReview(); }, [this] { onOk(); }});
    connect(m_name, &QComboBox::activated, this, &DrumMachineDialog::onNameChosen);
    showPart();
}

QLayout *DrumMachineDialog::buildNumbers() {
    auto *counts = new QFormLayout;
    counts->addRow(QStringLiteral("Repeat A times:"), m_repeatsA);
    counts->addRow(QStringLiteral("Repeat B times:"), m_repeatsB);
    counts->addRow(QStringLiteral("Break pattern every n patterns:"), m_breakEvery);
    counts->addRow(QStringLiteral("Total number of patterns:"), m_total);
    auto *sound = new QFormLayout;
    sound->addRow(QStringLiteral("S&eed:"), m_seed);
    sound->addRow(QStringLiteral("&Tempo:"), m_tempo);
    sound->addRow(QString(), m_ending);
    auto *box = new QGroupBox(QStringLiteral("Arrangement"));
    auto *row = new QHBoxLayout(box);
    row->addLayout(counts);
    row->addSpacing(24);
    row->addLayout(sound);
    row->addStretch();
    auto *layout = new QVBoxLayout;
    layout->addWidget(box);
    return layout;
}

bool DrumMachineDialog::initialise() {
    m_shortList.reset();
    fillNames(m_name, DrumLibrary::kParts);
    const QString name = entryAt(m_name, kMenuEntry);
    if (!name.isEmpty())
        m_part = session().library().loadPart(name);
    m_holds = {};
    showPart();
    session().seedRandom(DrumSession::clockSeed() ^ quint32(session().nextRandom()));
    return true;
}

DrumPattern &DrumMachineDialog::pattern(int index) {
    return index == 0 ? m_part.a : index == 1 ? m_part.b : m_part.x;
}

void DrumMachineDialog::showPart() {
    showName(m_name, m_part.name);
    for (int i = 0; i < 3; ++i) {
        m_patternNames[i]->setText(pattern(i).name);
        m_hold[i]->setChecked(m_holds[i]);
    }
    setNumber(m_repeatsA, m_part.repeatsA);
    setNumber(m_repeatsB, m_part.repeatsB);
    setNumber(m_breakEvery, m_part.breakEvery);
    setNumber(m_total, m_part.total);
    m_ending->setChecked(m_part.ending != 0);
    setNumber(m_seed, m_part.seed);
    setNumber(m_tempo, m_part.tempo);
    session().setTempo(m_part.tempo);
}

bool DrumMachineDialog::collect() {
    FieldExchange exchange;
    exchange.number(m_repeatsA, 0, kMaxCount, m_part.repeatsA)
        .number(m_repeatsB, 0, kMaxCount, m_part.repeatsB)
        .number(m_breakEvery, 0, kMaxCount, m_part.breakEvery)
        .number(m_total, 0, kMaxCount, m_part.total)
        .flag(m_ending, m_part.ending)
        .number(m_seed, 0, kMaxSeed, m_part.seed)
        .number(m_tempo, kMinPartTempo, kMaxPartTempo, m_part.tempo);
    m_part.tempo = std::max(m_part.tempo, kMinPartTempo);
    session().setTempo(m_part.tempo);
    reseedPart(m_part, m_holds);
    m_part.name = takeName(m_name);
    return exchange.ok();
}

void DrumMachineDialog::onNameChosen(int index) {
    const QString name = entryAt(m_name, index);
    if (name.trimmed().isEmpty())
        return;
    m_part = session().library().loadPart(name);
    m_holds = {};
    showPart();
}

void DrumMachineDialog::onEdit(int index) {
    DrumPatternDialog editor(session(), pattern(index), false, this);
    if (editor.run() != QDialog::Accepted)
        return;
    pattern(index) = editor.pattern();
    m_holds[index] = true;  // the next reseed keeps the edited pattern
    showPart();
}

void DrumMachineDialog::onSave() {
    if (collect())
        tell(session().library().savePart(m_part));
}

void DrumMachineDialog::onPlayNew() {
    int seed = m_part.seed;
    if (!FieldExchange().number(m_seed, 0, kMaxSeed, seed).ok())
        return;
    session().seedRandom(DrumSession::clockSeed() ^ quint32(seed));
    setNumber(m_seed, session().nextRandom());
    onPlayThis();
}

void DrumMachineDialog::onPlayThis() {
    if (!collect())
        return;
    // A break every of 0 ("never") comes back as 10000.
    session().play(partProgram(m_part, session().instruments()), this);
}

void DrumMachineDialog::onReview() {
    if (const DrumPart *shown = m_shortList.review()) {
        m_part = *shown;
        showPart();
    }
}

void DrumMachineDialog::onOk() {
    if (!collect())
        return;
    session().stopPlaying();
    accept();
}

void DrumMachineDialog::reject() {
    session().stopPlaying();
    DrumDialog::reject();
}

}  // namespace vek::editor
