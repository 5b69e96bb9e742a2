#include "KvgeoProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace KvgeoTests {
namespace {

constexpr auto timeLimit = std::chrono::seconds(60);

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void check(int result, const char* what) {
    if (result != 0)
        throw std::runtime_error(std::string(what) + ": " + std::strerror(result));
}

// The pipe ends: [0] reads, [1] writes; both close on exec in the parent's copy.
struct Pipe {
    int fd[2] = {-1, -1};
    Pipe() {
        if (pipe2(fd, O_CLOEXEC) != 0)
            throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    ~Pipe() {
        closeEnd(0);
        closeEnd(1);
    }
    void closeEnd(int end) {
        if (fd[end] >= 0)
            close(fd[end]);
        fd[end] = -1;
    }
};

} // namespace

std::vector<std::string> KvgeoProcess::Result::outLines() const {
    return splitLines(out);
}

std::vector<std::string> KvgeoProcess::Result::errorLines() const {
    std::vector<std::string> lines;
    for (const std::string& line : splitLines(err))
        if (line.rfind("warning: ", 0) != 0)
            lines.push_back(line);
    return lines;
}

std::string KvgeoProcess::binary() {
    return KV_RUNTIME_ROOT "/../bin/kvgeo";
}

KvgeoProcess::Result KvgeoProcess::run(const std::vector<std::string>& args,
                                       const std::string& input, bool onTerminal) {
    // kvgeo may stop reading its input early; that must not end the test.
    signal(SIGPIPE, SIG_IGN);
    Pipe in, out, err;
    posix_spawn_file_actions_t actions;
    check(posix_spawn_file_actions_init(&actions), "posix_spawn_file_actions_init");
    std::string typed = input;
    if (onTerminal) {
        // The parent writes to the terminal's master side, as in.fd[1].
        in.closeEnd(0);
        in.closeEnd(1);
        in.fd[1] = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (in.fd[1] < 0 || grantpt(in.fd[1]) != 0 || unlockpt(in.fd[1]) != 0)
            throw std::runtime_error("no pseudo-terminal");
        posix_spawn_file_actions_addopen(&actions, 0, ptsname(in.fd[1]), O_RDWR | O_NOCTTY, 0);
        typed += "\x04";
    } else {
        posix_spawn_file_actions_adddup2(&actions, in.fd[0], 0);
    }
    posix_spawn_file_actions_adddup2(&actions, out.fd[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err.fd[1], 2);

    const std::string program = binary();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    check(spawned, program.c_str());
    in.closeEnd(0);
    out.closeEnd(1);
    err.closeEnd(1);

    Result result;
    size_t written = 0;
    if (typed.empty())
        in.closeEnd(1);
    const auto deadline = std::chrono::steady_clock::now() + timeLimit;
    while (out.fd[0] >= 0 || err.fd[0] >= 0) {
        // A terminal stays open to the end and echoes what was typed.
        const short inEvents =
            onTerminal ? short(POLLIN | (written < typed.size() ? POLLOUT : 0)) : short(POLLOUT);
        pollfd fds[3] = {{out.fd[0], POLLIN, 0}, {err.fd[0], POLLIN, 0}, {in.fd[1], inEvents, 0}};
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            result.err += "\n(the test killed kvgeo: it took too long)\n";
            break;
        }
        if (poll(fds, 3, 1000) < 0) {
            if (errno == EINTR)
                continue;
            kill(pid, SIGKILL);
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0)
                (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
            else
                (i == 0 ? out : err).closeEnd(0);
        }
        if (onTerminal && (fds[2].revents & POLLIN)) {
            char echo[4096];
            if (read(in.fd[1], echo, sizeof echo) < 0 && errno != EAGAIN)
                fds[2].revents = 0;
        }
        if (onTerminal && (fds[2].revents & POLLOUT) && written < typed.size()) {
            // One line at a time: a terminal's line buffer is small.
            const size_t end = std::min(typed.find('\n', written), typed.size() - 1) + 1;
            const ssize_t n = write(in.fd[1], typed.data() + written, end - written);
            if (n > 0)
                written += static_cast<size_t>(n);
        } else if (!onTerminal && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n = write(in.fd[1], typed.data() + written, typed.size() - written);
            if (n > 0)
                written += static_cast<size_t>(n);
            if (n < 0 || written == typed.size())
                in.closeEnd(1);
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

} // namespace KvgeoTests
