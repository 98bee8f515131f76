#include "platform/fluid_sequencer.h"

#include "platform/mci.h"

#include <QFile>
#include <QFileInfo>
#include <fluidsynth.h>

namespace vek::editor {

namespace {

// Audio frames per rendered block when writing a file; 1024 frames are
// 23 ms at 44.1 kHz.
constexpr int kRenderPeriod = 1024;
// Blocks rendered per turn of the event loop (about 93 ms of sound), so
// that the editor stays responsive while a file renders.
constexpr int kBlocksPerTurn = 4;
// How often the end of a piece playing aloud is looked for, ms.
constexpr int kPollInterval = 50;

template <typename T, void (*Delete)(T *)>
struct Deleter {
    void operator()(T *p) const { Delete(p); }
};
template <typename T, void (*Delete)(T *)>
using Owned = std::unique_ptr<T, Deleter<T, Delete>>;

// The synthesizer reports through our own error texts; its log would only
// clutter the terminal.
void silenceLog() {
    static const bool silenced = [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        return true;
    }();
    (void)silenced;
}

int checkMidiFile(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists())
        return kMciFileNotFound;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return kMciUnreadableFile;
    return fluid_is_midifile(QFile::encodeName(path).constData()) ? kMciOk : kMciNotMidiFile;
}

}  // namespace

// Declared in the order of construction, so they are torn down in reverse:
// the output first, the settings last.
struct FluidSequencer::Fluid {
    Owned<fluid_settings_t, delete_fluid_settings> settings;
    Owned<fluid_synth_t, delete_fluid_synth> synth;
    Owned<fluid_player_t, delete_fluid_player> player;
    Owned<fluid_file_renderer_t, delete_fluid_file_renderer> renderer;
    Owned<fluid_audio_driver_t, delete_fluid_audio_driver> driver;
};

namespace {

// Each step builds one part of `fluid` and returns an MCI error code.
int configure(FluidSequencer::Fluid &fluid, const FluidSequencer::Setup &setup) {
    fluid.settings.reset(new_fluid_settings());
    fluid_settings_t *settings = fluid.settings.get();
    // Memory locking needs privileges a desktop user lacks.
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_settings_setnum(settings, "synth.gain", setup.gain);
    if (!setup.renderFile.isEmpty()) {
        fluid_settings_setstr(settings, "audio.file.name", QFile::encodeName(setup.renderFile).constData());
        fluid_settings_setstr(settings, "audio.file.type", "wav");
        fluid_settings_setint(settings, "audio.period-size", kRenderPeriod);
        return kMciOk;
    }
    if (setup.audioDriver.isEmpty())
        return kMciOk;
    return fluid_settings_setstr(settings, "audio.driver", setup.audioDriver.toUtf8().constData()) == FLUID_OK
               ? kMciOk
               : kMciNoAudioDevice;
}

int loadSynthesizer(FluidSequencer::Fluid &fluid, const FluidSequencer::Setup &setup) {
    fluid.synth.reset(new_fluid_synth(fluid.settings.get()));
    const QByteArray soundFont = QFile::encodeName(setup.soundFont);
    if (!fluid.synth || !fluid_is_soundfont(soundFont.constData()) ||
        fluid_synth_sfload(fluid.synth.get(), soundFont.constData(), 1) == FLUID_FAILED)
        return kMciBadSoundFont;
    fluid.player.reset(new_fluid_player(fluid.synth.get()));
    if (!fluid.player ||
        fluid_player_add(fluid.player.get(), QFile::encodeName(setup.midiPath).constData()) != FLUID_OK)
        return kMciNotMidiFile;
    return kMciOk;
}

int attachOutput(FluidSequencer::Fluid &fluid, const FluidSequencer::Setup &setup) {
    if (!setup.renderFile.isEmpty()) {
        fluid.renderer.reset(new_fluid_file_renderer(fluid.synth.get()));
        return fluid.renderer ? kMciOk : kMciOutputFailed;
    }
    fluid.driver.reset(new_fluid_audio_driver(fluid.settings.get(), fluid.synth.get()));
    return fluid.driver ? kMciOk : kMciNoAudioDevice;
}

}  // namespace

std::unique_ptr<FluidSequencer> FluidSequencer::open(const Setup &setup, int &error) {
    silenceLog();
    error = checkMidiFile(setup.midiPath);
    if (error == kMciOk && !QFileInfo(setup.soundFont).isFile())
        error = kMciNoSoundFont;
    if (error != kMciOk)
        return nullptr;
    auto fluid = std::make_unique<Fluid>();
    for (auto step : {configure, loadSynthesizer, attachOutput}) {
        error = step(*fluid, setup);
        if (error != kMciOk)
            return nullptr;
    }
    return std::unique_ptr<FluidSequencer>(new FluidSequencer(std::move(fluid)));
}

FluidSequencer::FluidSequencer(std::unique_ptr<Fluid> fluid) : m_fluid(std::move(fluid)) {
    m_timer.setInterval(m_fluid->renderer ? 0 : kPollInterval);
    connect(&m_timer, &QTimer::timeout, this, &FluidSequencer::advance);
}

FluidSequencer::~FluidSequencer() {
    m_timer.stop();
    if (m_fluid->player)
        fluid_player_stop(m_fluid->player.get());
}

int FluidSequencer::play() {
    if (fluid_player_play(m_fluid->player.get()) != FLUID_OK)
        return kMciOutputFailed;
    m_timer.start();
    return kMciOk;
}

int FluidSequencer::pause() {
    silence();
    return kMciOk;
}

int FluidSequencer::stop() {
    silence();
    fluid_player_seek(m_fluid->player.get(), 0);
    return kMciOk;
}

void FluidSequencer::silence() {
    m_timer.stop();
    fluid_player_stop(m_fluid->player.get());
    fluid_synth_all_sounds_off(m_fluid->synth.get(), -1);
}

void FluidSequencer::advance() {
    if (m_fluid->renderer) {
        for (int i = 0; i < kBlocksPerTurn && !reachedEnd(); ++i) {
            if (fluid_file_renderer_process_block(m_fluid->renderer.get()) != FLUID_OK) {
                silence();
                emit finished(false);
                return;
            }
        }
    }
    if (reachedEnd()) {
        silence();
        emit finished(true);
    }
}

int FluidSequencer::currentTick() const { return fluid_player_get_current_tick(m_fluid->player.get()); }

bool FluidSequencer::reachedEnd() const {
    fluid_player_t *player = m_fluid->player.get();
    if (fluid_player_get_status(player) != FLUID_PLAYER_PLAYING)
        return true;
    // The player itself lingers for seconds after the last event; the piece
    // is over once its last tick has passed and every note has died away.
    const int total = fluid_player_get_total_ticks(player);
    return total > 0 && fluid_player_get_current_tick(player) >= total &&
           fluid_synth_get_active_voice_count(m_fluid->synth.get()) == 0;
}

}  // namespace vek::editor
