// Vek against abc2midi on the same generated music, side by side in one
// run: notes per second of each (the median of several runs, and the
// fastest) and their ratio, plus how close Vek comes to a floor of pure
// I/O (reading the source through the reader's fast path and writing the
// MIDI bytes).
//
//   compare [--notes N] [--runs N] [--work DIR]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "entry/compile_state.h"
#include "events/song_context.h"
#include "input/reader.h"
#include "midi_notes.h"
#include "piece_generator.h"
#include "vek/vekmain.h"

extern char **environ;

namespace {

namespace fs = std::filesystem;
using vek::compare::VekStyle;

struct Options {
    int64_t notes = 200000;
    int runs = 7;
    std::string work = VEK_COMPARE_WORK_DIR;
};

std::string readFile(const std::string &name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string &name, const std::string &text) {
    std::ofstream(name, std::ios::binary) << text;
}

// Wall time and CPU time (user + system, of this process or of the
// child it waited for) of one run, in seconds. The machine is shared, so
// CPU time is the steadier of the two.
struct Timing {
    double wall = 0, cpu = 0;
};

double cpuSeconds(const rusage &u) {
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double ownCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return cpuSeconds(u);
}

Timing timed(const std::function<bool(double &childCpu)> &run, bool &ok) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ownCpuSeconds();
    double childCpu = 0;
    ok = run(childCpu) && ok;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return {wall, ownCpuSeconds() - cpuStart + childCpu};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool compileVek(const std::string &source, const std::string &listing) {
    const int32_t zero = 0;
    const VekmainArgs args{source.c_str(), "midi", listing.c_str(), "", &zero, &zero, &zero, VEKMAIN_VERSION};
    const ParseError r = Vekmain(VEKMAIN_ARGUMENT_COUNT, &args);
    if (r.failed) std::fprintf(stderr, "compare: %s: %s at %d\n", source.c_str(), r.message, r.position);
    return !r.failed;
}

// abc2midi as a user runs it, its messages thrown away; its CPU time goes
// to `childCpu`.
bool runPeer(const std::string &abc, const std::string &midi, double &childCpu) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string program = "abc2midi", out = "-o", silent = "-silent";
    char *argv[] = {program.data(), const_cast<char *>(abc.c_str()), out.data(),
                    const_cast<char *>(midi.c_str()), silent.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "abc2midi", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    const bool waited = spawned == 0 && wait4(pid, &status, 0, &usage) == pid;
    childCpu = waited ? cpuSeconds(usage) : 0;
    return waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool runPeer(const std::string &abc, const std::string &midi) {
    double unused = 0;
    return runPeer(abc, midi, unused);
}

bool peerInstalled() {
    for (const char *dir : {"/usr/bin/", "/usr/local/bin/", "/bin/"})
        if (access((std::string(dir) + "abc2midi").c_str(), X_OK) == 0) return true;
    return false;
}

// The floor: every source byte through the reader's fast path, then as
// many bytes written as the MIDI file holds.
bool readAndWrite(const std::string &source, size_t midiBytes) {
    vek::SongContext song;
    song.listingPath = "floor.vls";
    vek::CompileState cs(source.c_str(), song);
    int64_t sum = 0;
    try {
        cs.open();
        for (int c; (c = vek::nextRaw(cs)) != vek::kEndOfInput;) sum += c;
    } catch (const ParseError &) {
        return false;
    }
    const std::string bytes(midiBytes, static_cast<char>(sum & 0x7F));
    std::FILE *f = std::fopen("floor.mid", "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

// Same notes, track by track, in the same order at the same times (the
// two files may count time in different divisions; abc2midi starts each
// note one of its ticks late). Without the peer, ours against itself.
bool sameMusic(const std::string &ours, const std::string &peers, int64_t expected) {
    std::string e1, e2;
    const auto a = vek::compare::readMidiNotes(readFile(ours), e1);
    const auto b = vek::compare::readMidiNotes(readFile(peers), e2);
    if (!a.division || !b.division) {
        std::fprintf(stderr, "compare: unreadable MIDI file: %s%s\n", e1.c_str(), e2.c_str());
        return false;
    }
    std::printf("  notes: Vek %lld, abc2midi %lld, generated %lld; largest track: Vek %zu B, abc2midi %zu B\n",
                static_cast<long long>(a.count()), static_cast<long long>(b.count()),
                static_cast<long long>(expected), a.largestTrack, b.largestTrack);
    if (a.count() != expected || b.count() != expected || a.tracks.size() != b.tracks.size()) return false;
    for (size_t t = 0; t < a.tracks.size(); ++t)
        for (size_t i = 0; i < a.tracks[t].size(); ++i) {
            const auto &x = a.tracks[t][i], &y = b.tracks[t][i];
            const int64_t apart = x.tick * b.division - y.tick * a.division;
            if (x.key != y.key || apart > a.division || apart < -a.division) {
                std::fprintf(stderr, "compare: track %zu note %zu differs: key %d at %lld / key %d at %lld\n", t,
                             i, x.key, static_cast<long long>(x.tick), y.key, static_cast<long long>(y.tick));
                return false;
            }
        }
    return true;
}

// Medians of the runs, in seconds, and the fastest wall times (the "best"
// line): on a shared machine the times swing by a third, and the fastest
// run of each side is the one least disturbed.
struct Figures {
    Timing vek, peer, floor;
    double vekBest = 0, peerBest = 0, floorBest = 0;
};

Timing medians(const std::vector<Timing> &runs) {
    std::vector<double> wall, cpu;
    for (const Timing &t : runs) wall.push_back(t.wall), cpu.push_back(t.cpu);
    return {median(wall), median(cpu)};
}

double fastest(const std::vector<Timing> &runs) {
    double best = runs.empty() ? 0 : runs.front().wall;
    for (const Timing &t : runs) best = std::min(best, t.wall);
    return best;
}

// The two sides and the floor one after the other in each run, so that the
// load of the moment weighs on all three alike.
Figures measure(const Options &o, const std::string &vek, const std::string &abc, bool withPeer, bool &ok) {
    std::vector<Timing> ours, peers, floors;
    const size_t midiBytes = fs::file_size(fs::path(vek).replace_extension(".mid"));
    for (int i = 0; i < o.runs; ++i) {
        ours.push_back(timed([&](double &) { return compileVek(vek, "vek.vls"); }, ok));
        if (withPeer) peers.push_back(timed([&](double &cpu) { return runPeer(abc, "abc.mid", cpu); }, ok));
        floors.push_back(timed([&](double &) { return readAndWrite(vek, midiBytes); }, ok));
    }
    return {medians(ours), withPeer ? medians(peers) : Timing{}, medians(floors),
            fastest(ours), fastest(peers), fastest(floors)};
}

void reportLine(const char *label, const char *clock, int64_t notes, double vek, double peer, double floor) {
    const double n = static_cast<double>(notes);
    std::printf("  %-8s %-4s Vek %7.1f ms %9.0f notes/s", label, clock, vek * 1e3, n / vek);
    if (peer > 0) std::printf(" | abc2midi %7.1f ms %9.0f notes/s | ratio %5.2f", peer * 1e3, n / peer, peer / vek);
    std::printf(" | floor %5.2f ms, Vek/floor %5.1f\n", floor * 1e3, vek / floor);
}

void report(const char *label, int64_t notes, const Figures &f) {
    reportLine(label, "wall", notes, f.vek.wall, f.peer.wall, f.floor.wall);
    reportLine(label, "cpu", notes, f.vek.cpu, f.peer.cpu, f.floor.cpu);
    reportLine(label, "best", notes, f.vekBest, f.peerBest, f.floorBest);
}

bool parseOptions(int argc, char **argv, Options &o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--notes")) o.notes = std::atoll(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--runs")) o.runs = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--work")) o.work = argv[i + 1];
        else return false;
    }
    return argc % 2 == 1 && o.notes > 0 && o.runs > 0;
}

}  // namespace

int main(int argc, char **argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Options o;
    if (!parseOptions(argc, argv, o)) {
        std::fprintf(stderr, "usage: compare [--notes N] [--runs N] [--work DIR]\n");
        return 2;
    }
    fs::create_directories(o.work);
    fs::current_path(o.work);
    const bool withPeer = peerInstalled();
    if (!withPeer) std::printf("abc2midi is not installed (Debian package abcmidi): measuring Vek alone\n");
    std::printf("%lld notes wanted, 4 voices, median of %d runs (best: the fastest, wall), in %s\n",
                static_cast<long long>(o.notes), o.runs, o.work.c_str());
    const std::pair<VekStyle, const char *> styles[] = {
        {VekStyle::kPlain, "plain"}, {VekStyle::kMacros, "macros"}, {VekStyle::kListing, "listing"}};
    bool ok = true;
    for (const auto &[style, label] : styles) {
        const auto piece = vek::compare::generatePiece(o.notes, style);
        const std::string vek = std::string("piece-") + label + ".vek";
        writeFile(vek, piece.vek);
        writeFile("piece.abc", piece.abc);
        std::printf("%s: %lld notes, Vek source %zu B, ABC source %zu B\n", label,
                    static_cast<long long>(piece.notes), piece.vek.size(), piece.abc.size());
        const std::string midi = fs::path(vek).replace_extension(".mid");
        if (!compileVek(vek, "vek.vls") || (withPeer && !runPeer("piece.abc", "abc.mid")) ||
            !sameMusic(midi, withPeer ? "abc.mid" : midi, piece.notes)) {
            std::fprintf(stderr, "compare: %s: the two sides do not agree\n", label);
            return 1;
        }
        report(label, piece.notes, measure(o, vek, "piece.abc", withPeer, ok));
    }
    return ok ? 0 : 1;
}
