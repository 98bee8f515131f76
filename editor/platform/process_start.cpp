#include "platform/process_start.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>
#include <variant>
#include <vector>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <cerrno>
#  include <fcntl.h>
#  include <sys/wait.h>
#  include <unistd.h>
extern char **environ;
#endif

namespace vek::editor {

namespace {

enum class Quote { None, Single, Double };

// Characters that a backslash escapes inside double quotes.
bool escapableInDoubleQuotes(QChar c) { return QStringLiteral("$`\"\\\n").contains(c); }

#ifndef _WIN32
int startCodeOf(int error) {
    switch (error) {
    case ENOENT: return kStartFileNotFound;
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG: return kStartPathNotFound;
    case EACCES:
    case EPERM:
    case ENOEXEC:
    case EISDIR:
    case ETXTBSY:
    case ELIBBAD: return kStartNotExecutable;
    default: return kStartNoResources;  // E2BIG, ENOMEM, EAGAIN, EMFILE, ...
    }
}

// Runs `program` in a grandchild in its own session, so that it outlives
// the editor and is never left as a zombie of it. The grandchild reports a
// failed exec through a pipe that closes by itself on success.
int spawnDetached(const QString &program, const QStringList &words) {
    // Everything the children need is prepared here: after fork() only
    // async-signal-safe calls are allowed.
    const QByteArray file = QFile::encodeName(program);
    QByteArrayList bytes;
    for (const QString &word : words)
        bytes << QFile::encodeName(word);
    std::vector<char *> argv;
    for (QByteArray &word : bytes)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return startCodeOf(errno);
    const pid_t middle = fork();
    if (middle < 0) {
        close(report[0]);
        close(report[1]);
        return kStartNoResources;
    }
    if (middle == 0) {
        close(report[0]);
        const pid_t child = fork();
        if (child == 0) {
            setsid();
            execve(file.constData(), argv.data(), environ);
        }
        if (child <= 0) {
            const int error = errno;
            [[maybe_unused]] const ssize_t written = write(report[1], &error, sizeof error);
        }
        _exit(0);
    }
    close(report[1]);
    int error = 0;
    ssize_t got;
    do
        got = read(report[0], &error, sizeof error);
    while (got < 0 && errno == EINTR);
    close(report[0]);
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    return got == sizeof error ? startCodeOf(error) : kStartStarted;
}

// The program file a command word names; a start code when there is none.
std::variant<QString, int> locateProgram(const QString &word) {
    if (!word.contains('/')) {
        const QString found = QStandardPaths::findExecutable(word);
        return found.isEmpty() ? std::variant<QString, int>(kStartFileNotFound) : found;
    }
    const QFileInfo info(word);
    if (!info.absoluteDir().exists())
        return kStartPathNotFound;
    if (!info.exists())
        return kStartFileNotFound;
    return info.absoluteFilePath();
}
#endif

}  // namespace

std::optional<QStringList> splitCommandLine(const QString &commandLine) {
    QStringList words;
    QString word;
    bool inWord = false;
    Quote quote = Quote::None;
    for (qsizetype i = 0; i < commandLine.size(); ++i) {
        const QChar c = commandLine[i];
        const bool hasNext = i + 1 < commandLine.size();
        if (quote == Quote::Single) {
            if (c == '\'')
                quote = Quote::None;
            else
                word += c;
        } else if (quote == Quote::Double) {
            if (c == '"')
                quote = Quote::None;
            else if (c == '\\' && hasNext && escapableInDoubleQuotes(commandLine[i + 1]))
                word += commandLine[++i];
            else
                word += c;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord)
                words << std::exchange(word, QString());
            inWord = false;
        } else {
            inWord = true;
            if (c == '\'')
                quote = Quote::Single;
            else if (c == '"')
                quote = Quote::Double;
            else if (c == '\\' && hasNext)
                word += commandLine[++i];
            else
                word += c;
        }
    }
    if (quote != Quote::None)
        return std::nullopt;
    if (inWord)
        words << word;
    return words;
}

int startCommandLine(const QString &commandLine) {
#ifdef _WIN32
    return int(WinExec(commandLine.toLocal8Bit().constData(), SW_SHOW));
#else
    const std::optional<QStringList> words = splitCommandLine(commandLine);
    if (!words || words->isEmpty())
        return kStartFileNotFound;
    const std::variant<QString, int> program = locateProgram(words->first());
    if (const int *code = std::get_if<int>(&program))
        return *code;
    return spawnDetached(std::get<QString>(program), *words);
#endif
}

}  // namespace vek::editor
