// Waits until one of a set of files is saved: inotify on the folders that
// hold them on Linux, polling of their times and sizes elsewhere (or when
// inotify is not available). Folders, not files, are watched, so a save
// that writes a new file and renames it over the old one is seen too.
#pragma once
#include <csignal>
#include <string>
#include <vector>

namespace vek::cli {

class FileWatcher {
public:
    // `polling` chooses the fallback even where inotify works.
    FileWatcher(const std::vector<std::string> &files, bool polling);
    ~FileWatcher();
    FileWatcher(const FileWatcher &) = delete;
    FileWatcher &operator=(const FileWatcher &) = delete;

    // True once a file changed and the changes have settled; false as soon
    // as `stop` is set (it is checked at least every 200 ms).
    bool waitForChange(const volatile std::sig_atomic_t &stop);

    struct Stamp;  // a file's time and size, as polling compares them

private:
    bool pollOnce();
    bool inotifyOnce(int timeoutMs);

    std::vector<std::string> files_;
    std::vector<Stamp> stamps_;
    int inotify_ = -1;
};

}  // namespace vek::cli
