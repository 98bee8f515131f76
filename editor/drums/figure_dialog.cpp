#include "drums/figure_dialog.h"

#include "drums/drum_controls.h"
#include "drums/drum_session.h"
#include "drums/drum_text.h"
#include "drums/step_picture.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vek::editor {

namespace {

namespace ids = drum_ids::figure;
static_assert(ids::kFrequencies.size() == kFrequencies);
constexpr int kMenuEntry = 5;  // the list entry a dialog opened from the menu loads

QRadioButton *radio(int id, const QString &text) {
    auto *button = new QRadioButton(text);
    button->setObjectName(QString::number(id));
    return button;
}

}  // namespace

DrumFigureDialog::DrumFigureDialog(DrumSession &session, const DrumFigure &figure, bool fromMenu,
                                   QWidget *parent)
    : DrumDialog(session, fromMenu, parent),
      m_name(nameCombo(ids::kName, true)),
      m_instrument(nameCombo(ids::kInstrument, false)),
      m_seed(numberField(ids::kSeed)),
      m_twelve(radio(ids::kTwelveButton, QStringLiteral("1&2 beat"))),
      m_sixteen(radio(ids::kSixteenButton, QStringLiteral("1&6 beat"))),
      m_picture(new StepPicture),
      m_figure(figure) {
    setObjectName(QString::number(ids::kDialog));
    setWindowTitle(QStringLiteral("Drumfigure"));
    auto *left = new QVBoxLayout;
    left->addLayout(buildFields());
    left->addLayout(buildFrequencies());
    layOut(left, {ids::kSave, ids::kPlayNew, ids::kPlayThis, ids::kShortlist, ids::kReview},
           {[this] { onSave(); }, [this] { onPlayNew(); }, [this] { onPlayThis(); },
            [this] { m_shortList.add(m_figure); }, [this] { onReview(); }, [this] { onOk(); }});
    connectControls();
    showFigure();
}

QLayout *DrumFigureDialog::buildFields() {
    auto *beat = new QHBoxLayout;
    beat->addWidget(m_twelve);
    beat->addWidget(m_sixteen);
    beat->addStretch();
    auto *group = new QButtonGroup(this);
    group->addButton(m_twelve);
    group->addButton(m_sixteen);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), m_name);
    form->addRow(QStringLiteral("&Instrument:"), m_instrument);
    form->addRow(QStringLiteral("Beat:"), beat);
    form->addRow(QStringLiteral("S&eed:"), m_seed);
    return form;
}

QLayout *DrumFigureDialog::buildFrequencies() {
    QWidget *columns[2] = {new QWidget, new QWidget};
    for (int column = 0; column < 2; ++column) {
        auto *form = new QFormLayout(columns[column]);
        form->setContentsMargins(0, 0, 0, 0);
        for (int row = 0; row < 8; ++row) {
            const int i = column * 8 + row;
            m_frequencies[i] = numberField(ids::kFrequencies[i]);
            form->addRow(QString::number(i + 1), m_frequencies[i]);
        }
    }
    m_secondColumn = columns[1];
    QSizePolicy keepPlace = m_secondColumn->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);  // the dialog keeps its shape in 12 beat
    m_secondColumn->setSizePolicy(keepPlace);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(columns[0]);
    row->addSpacing(32);
    row->addWidget(columns[1]);
    row->addStretch();
    auto *box = new QGroupBox(QStringLiteral("Step frequencies (0 never, 999 always)"));
    auto *inside = new QVBoxLayout(box);
    inside->addLayout(row);
    inside->addSpacing(6);
    inside->addWidget(m_picture, 0, Qt::AlignHCenter);
    auto *layout = new QVBoxLayout;
    layout->addWidget(box);
    return layout;
}

void DrumFigureDialog::connectControls() {
    connect(m_name, &QComboBox::activated, this, &DrumFigureDialog::onNameChosen);
    connect(m_instrument, &QComboBox::activated, this,
            [this](int index) { m_figure.instrument = entryAt(m_instrument, index); });
    connect(m_twelve, &QRadioButton::clicked, this, [this] { showBeatMode(kTwelveBeat); });
    connect(m_sixteen, &QRadioButton::clicked, this, [this] { showBeatMode(kSixteenBeat); });
    for (QLineEdit *field : m_frequencies)
        connect(field, &QLineEdit::textChanged, this, &DrumFigureDialog::redrawSteps);
}

bool DrumFigureDialog::initialise() {
    m_shortList.reset();
    if (!fillNames(m_name, DrumLibrary::kFigures))
        return false;
    fillNames(m_instrument, DrumLibrary::kInstruments);
    if (openedFromMenu()) {
        // A list shorter than the entry gives an empty figure.
        const QString name = entryAt(m_name, kMenuEntry);
        m_figure = name.isEmpty() ? DrumFigure{} : session().library().loadFigure(name);
    }
    showFigure();
    return true;
}

void DrumFigureDialog::showFigure() {
    showName(m_name, m_figure.name);
    m_instrument->setCurrentIndex(m_instrument->findText(m_figure.instrument, Qt::MatchFixedString));
    for (int i = 0; i < kFrequencies; ++i)
        setNumber(m_frequencies[i], m_figure.frequencies[i]);
    setNumber(m_seed, m_figure.seed);
    m_twelve->setChecked(m_figure.beatMode == kTwelveBeat);
    m_sixteen->setChecked(m_figure.beatMode == kSixteenBeat);
    showBeatMode(m_figure.beatMode);
}

void DrumFigureDialog::showBeatMode(int beatMode) {
    // An unknown beat mode keeps both columns, so no value is out of sight.
    m_secondColumn->setVisible(beatMode != kTwelveBeat);
    m_beatView = beatMode;
    redrawSteps();
}

void DrumFigureDialog::redrawSteps() {
    std::array<int, kFrequencies> typed{};
    for (int i = 0; i < kFrequencies; ++i)
        typed[i] = m_frequencies[i]->text().toInt();
    m_picture->setFigure(typed, m_beatView);
}

bool DrumFigureDialog::collect() {
    FieldExchange exchange;
    for (int i = 0; i < kFrequencies; ++i)
        exchange.number(m_frequencies[i], 0, kMaxFrequency, m_figure.frequencies[i]);
    exchange.number(m_seed, 0, kMaxSeed, m_figure.seed);
    if (m_twelve->isChecked())
        m_figure.beatMode = kTwelveBeat;
    else if (m_sixteen->isChecked())
        m_figure.beatMode = kSixteenBeat;
    m_figure.name = takeName(m_name);
    // An instrument missing from the list stays as it was.
    if (m_instrument->currentIndex() >= 0)
        m_figure.instrument = m_instrument->currentText();
    return exchange.ok();
}

void DrumFigureDialog::onNameChosen(int index) {
    const QString name = entryAt(m_name, index);
    if (name.trimmed().isEmpty())
        return;
    m_figure = session().library().loadFigure(name);
    showFigure();
}

void DrumFigureDialog::onSave() {
    if (collect())
        tell(session().library().saveFigure(m_figure));
}

void DrumFigureDialog::onPlayNew() {
    if (!collect())
        return;
    m_figure.seed = session().nextRandom();
    showFigure();
    onPlayThis();
}

void DrumFigureDialog::onPlayThis() {
    if (!collect())
        return;
    const QString instrument = session().library().instrumentText(m_figure.instrument);
    session().play(auditionedFigureProgram(m_figure, instrument, session().tempo()), this);
}

void DrumFigureDialog::onReview() {
    if (const DrumFigure *shown = m_shortList.review()) {
        m_figure = *shown;
        showFigure();
    }
}

void DrumFigureDialog::onOk() {
    if (collect())
        accept();
}

}  // namespace vek::editor
