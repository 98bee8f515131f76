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

// Control ids of patterns A, B and X.
constexpr std::array<int, 3> kNameIds{1102, 1103, 1104};
constexpr std::array<int, 3> kEditIds{1109, 1110, 1111};
constexpr std::array<int, 3> kHoldIds{1113, 1114, 1115};
constexpr std::array<const char *, 3> kPatternLabels{"Pattern &A:", "Pattern &B:", "Break pattern &X:"};
constexpr int kMenuEntry = 1;  // the list entry the dialog loads when it opens

}  // namespace

DrumMachineDialog::DrumMachineDialog(DrumSession &session, QWidget *parent)
    : DrumDialog(session, true, parent),
      m_name(nameCombo(1106, true)),
      m_repeatsA(numberField(1118)),
      m_repeatsB(numberField(1119)),
      m_breakEvery(numberField(1024)),
      m_total(numberField(1050)),
      m_seed(numberField(1108)),
      m_tempo(numberField(1127)),
      m_ending(checkBox(1117, QStringLiteral("&Ending"))),
      m_save(commandButton(1107, QStringLiteral("&Save"))),
      m_playNew(commandButton(1097, QStringLiteral("Play &New"))),
      m_playThis(commandButton(1098, QStringLiteral("&Play This"))),
      m_shortlist(commandButton(1099, QStringLiteral("Short&list"))),
      m_review(commandButton(1100, QStringLiteral("&Review"))) {
    setObjectName(QStringLiteral("121"));
    setWindowTitle(QStringLiteral("Drum Machine"));
    auto *top = new QFormLayout;
    top->addRow(QStringLiteral("&Name:"), m_name);
    auto *left = new QVBoxLayout;
    left->addLayout(top);
    left->addLayout(buildPatterns());
    left->addLayout(buildNumbers());
    left->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttonColumn({m_save, m_playNew, m_playThis, m_shortlist, m_review}, m_ok, m_cancel));
    connectControls();
    showPart();
}

QLayout *DrumMachineDialog::buildPatterns() {
    auto *box = new QGroupBox(QStringLiteral("Patterns"));
    auto *grid = new QGridLayout(box);
    for (int i = 0; i < 3; ++i) {
        m_patternNames[i] = nameField(kNameIds[i]);
        m_patternNames[i]->setMinimumWidth(180);
        m_edit[i] = commandButton(kEditIds[i], QStringLiteral("Edit..."));
        m_hold[i] = checkBox(kHoldIds[i], QStringLiteral("Hold"));
        auto *label = new QLabel(QString::fromLatin1(kPatternLabels[i]));
        label->setBuddy(m_edit[i]);
        grid->addWidget(label, i, 0);
        grid->addWidget(m_patternNames[i], i, 1);
        grid->addWidget(m_edit[i], i, 2);
        grid->addWidget(m_hold[i], i, 3);
    }
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout;
    layout->addWidget(box);
    return layout;
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

void DrumMachineDialog::connectControls() {
    connect(m_name, &QComboBox::activated, this, &DrumMachineDialog::onNameChosen);
    for (int i = 0; i < 3; ++i) {
        connect(m_edit[i], &QPushButton::clicked, this, [this, i] { onEdit(i); });
        connect(m_hold[i], &QCheckBox::toggled, this, [this, i](bool on) { m_holds[i] = on; });
    }
    connect(m_save, &QPushButton::clicked, this, &DrumMachineDialog::onSave);
    connect(m_playNew, &QPushButton::clicked, this, &DrumMachineDialog::onPlayNew);
    connect(m_playThis, &QPushButton::clicked, this, &DrumMachineDialog::onPlayThis);
    connect(m_shortlist, &QPushButton::clicked, this, [this] { m_shortList.add(m_part); });
    connect(m_review, &QPushButton::clicked, this, &DrumMachineDialog::onReview);
    connect(m_ok, &QPushButton::clicked, this, &DrumMachineDialog::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &DrumMachineDialog::reject);
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
