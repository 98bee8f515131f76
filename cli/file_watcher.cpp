#include "cli/file_watcher.h"

#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#ifdef __linux__
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace vek::cli {

namespace fs = std::filesystem;

namespace {

constexpr int kTickMs = 200;
// Editors write a file in several steps; one compile follows them all.
constexpr int kSettleMs = 50;

}  // namespace

struct FileWatcher::Stamp {
    fs::file_time_type time;
    std::uintmax_t size = 0;
    bool exists = false;
    bool operator==(const Stamp &) const = default;
};

namespace {

FileWatcher::Stamp stampOf(const std::string &file) {
    std::error_code ec;
    FileWatcher::Stamp s;
    s.time = fs::last_write_time(file, ec);
    s.exists = !ec;
    if (s.exists) s.size = fs::file_size(file, ec);
    return s;
}

}  // namespace

FileWatcher::FileWatcher(const std::vector<std::string> &files, bool polling) : files_(files) {
    for (const auto &file : files_) stamps_.push_back(stampOf(file));
#ifdef __linux__
    if (!polling) inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    for (const auto &file : files_) {
        const fs::path folder = fs::path(file).parent_path();
        const uint32_t events = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE;
        if (inotify_ >= 0 && inotify_add_watch(inotify_, folder.empty() ? "." : folder.c_str(), events) < 0) {
            close(inotify_);
            inotify_ = -1;
        }
    }
#else
    (void)polling;
#endif
}

FileWatcher::~FileWatcher() {
#ifdef __linux__
    if (inotify_ >= 0) close(inotify_);
#endif
}

// Compares every file with its stamp; a change updates the stamps.
bool FileWatcher::pollOnce() {
    bool changed = false;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        const Stamp now = stampOf(files_[i]);
        changed = changed || !(now == stamps_[i]);
        stamps_[i] = now;
    }
    return changed;
}

// Waits up to `timeoutMs` for events in the folders; true when one names a
// watched file.
bool FileWatcher::inotifyOnce(int timeoutMs) {
#ifdef __linux__
    pollfd p{inotify_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return false;
    alignas(inotify_event) char buffer[16384];
    bool hit = false;
    for (ssize_t n; (n = read(inotify_, buffer, sizeof buffer)) > 0;) {
        for (char *at = buffer; at < buffer + n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            const std::string name = event->len ? event->name : "";
            for (const auto &file : files_) hit = hit || fs::path(file).filename() == name;
            at += sizeof(inotify_event) + event->len;
        }
    }
    return hit;
#else
    (void)timeoutMs;
    return false;
#endif
}

bool FileWatcher::waitForChange(const volatile std::sig_atomic_t &stop) {
    while (!stop) {
        const bool changed = inotify_ >= 0 ? inotifyOnce(kTickMs) : pollOnce();
        if (changed) {
            // Let the rest of the save land, then take it in one compile.
            while (inotify_ >= 0 && inotifyOnce(kSettleMs)) {}
            if (inotify_ < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));
                pollOnce();
            }
            return !stop;
        }
        if (inotify_ < 0) std::this_thread::sleep_for(std::chrono::milliseconds(kTickMs));
    }
    return false;
}

}  // namespace vek::cli
