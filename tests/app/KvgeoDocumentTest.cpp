// Saving and opening documents through kvgeo, with the geometry add-in of the
// build's runtime root.

#include "KvgeoProcess.h"

#include "Kv/Storage/SqliteDatabase.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using KvgeoTests::KvgeoProcess;
using Lines = std::vector<std::string>;

const std::string kSketchFixture =
    KV_SOURCE_DIR "/tests/Server/Geometry/storage/fixtures/Sketch-v0.kvd";

// kvgeo with a terminal as its standard input: an interactive session, which
// goes on after a failed command, so that what the failure left can be seen.
// Standard output and error stay pipes.
KvgeoProcess::Result runOnTerminal(const Lines& args, const std::string& input) {
    signal(SIGPIPE, SIG_IGN);
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0)
        throw std::runtime_error("no pseudo-terminal");
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, ptsname(terminal), O_RDWR | O_NOCTTY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    const std::string program = KvgeoProcess::binary();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (spawned != 0) {
        close(terminal);
        close(out[0]);
        close(err[0]);
        throw std::runtime_error(program + ": " + std::strerror(spawned));
    }

    // Typed at the terminal, then the end-of-file key on a line of its own.
    const std::string typed = input + "\x04";
    size_t written = 0;
    KvgeoProcess::Result result;
    int open[2] = {out[0], err[0]};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (open[0] >= 0 || open[1] >= 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            result.err += "\n(the test killed kvgeo: it took too long)\n";
            break;
        }
        pollfd fds[3] = {{open[0], POLLIN, 0},
                         {open[1], POLLIN, 0},
                         {terminal, short(POLLIN | (written < typed.size() ? POLLOUT : 0)), 0}};
        if (poll(fds, 3, 1000) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[4096];
            const ssize_t n = read(open[i], buffer, sizeof buffer);
            if (n > 0) {
                (i == 0 ? result.out : result.err).append(buffer, size_t(n));
            } else {
                close(open[i]);
                open[i] = -1;
            }
        }
        if (fds[2].revents & POLLIN) {
            char echo[4096]; // the terminal's echo of what was typed
            if (read(terminal, echo, sizeof echo) < 0 && errno != EAGAIN)
                fds[2].revents = 0;
        }
        if ((fds[2].revents & POLLOUT) && written < typed.size()) {
            // One line at a time: a terminal's line buffer is small.
            size_t end = typed.find('\n', written);
            end = end == std::string::npos ? typed.size() : end + 1;
            const ssize_t n = write(terminal, typed.data() + written, end - written);
            if (n > 0)
                written += size_t(n);
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    close(terminal);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

class KvgeoDocumentTest : public ::testing::Test {
protected:
    KvgeoDocumentTest() {
        std::string pattern = (fs::temp_directory_path() / "KvgeoDocumentXXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        m_dir = pattern;
    }
    ~KvgeoDocumentTest() override { fs::remove_all(m_dir); }

    std::string path(const std::string& name) const { return m_dir + "/" + name; }
    // kvgeo running the commands, in order, as -c options.
    static KvgeoProcess::Result commands(const Lines& lines) {
        Lines args{"-q"};
        for (const std::string& line : lines) {
            args.push_back("-c");
            args.push_back(line);
        }
        return KvgeoProcess::run(args);
    }
    static std::string bytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string m_dir;
};

TEST_F(KvgeoDocumentTest, SavedDocumentOpensAsItWasSaved) {
    const std::string copy = path("copy.kvd");
    const Lines look{"ls -a", "get Sketches", "get Sketches/Gamma", "get Sketches/Beta",
                     "info Sketches/Alpha"};
    Lines first{"open " + kSketchFixture};
    first.insert(first.end(), look.begin(), look.end());
    first.push_back("save " + copy);
    const auto saved = commands(first);
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_NE(saved.out.find("Sketches/Gamma\tSketch\n"), std::string::npos) << saved.out;
    EXPECT_NE(saved.out.find("creationIndex = 1\n"), std::string::npos) << saved.out;
    EXPECT_NE(saved.out.find("highWaterMark = 3\n"), std::string::npos) << saved.out;

    Lines second{"open " + copy};
    second.insert(second.end(), look.begin(), look.end());
    const auto opened = commands(second);
    ASSERT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, saved.out);

    // Saved again to where it came from, it reads the same.
    EXPECT_EQ(commands({"open " + copy, "save"}).status, 0);
    EXPECT_EQ(commands(second).out, saved.out);
}

TEST_F(KvgeoDocumentTest, NewDocumentRoundTrips) {
    const std::string file = path("new.kvd");
    const auto made = commands({"new", "ls -a", "get Sketches", "save " + file});
    ASSERT_EQ(made.status, 0) << made.err;
    const auto opened = commands({"open " + file, "ls -a", "get Sketches"});
    ASSERT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, made.out);
    EXPECT_NE(made.out.find("Sketches\tSketches\n"), std::string::npos) << made.out;
}

// Each bad file is refused with its name and the problem; the open document
// stays open, unchanged, and still saves to where it came from.
TEST_F(KvgeoDocumentTest, FailedOpenOrSaveLeavesTheOpenDocument) {
    const std::string good = path("good.kvd");
    fs::copy_file(kSketchFixture, good);
    const std::string document = bytes(good);

    std::vector<std::pair<std::string, std::string>> bad; // file, problem reported
    auto badFile = [&](const std::string& name, const std::string& content) {
        std::ofstream(path(name), std::ios::binary) << content;
        return path(name);
    };
    bad.emplace_back(badFile("notes.kvd", "not a document\n"), "not a readable document");
    bad.emplace_back(badFile("empty.kvd", ""), "not a document");
    bad.emplace_back(badFile("short.kvd", document.substr(0, document.size() / 2)), "");
    auto edited = [&](const std::string& name, const std::string& sql) {
        const std::string file = badFile(name, document);
        Kv::SqliteDatabase db(file, Kv::SqliteDatabase::CreateNew);
        db.exec(sql);
        db.close();
        return file;
    };
    bad.emplace_back(edited("newer.kvd", "UPDATE format SET value = '99' WHERE key = 'version'"),
                     "format version 99");
    bad.emplace_back(edited("unknown.kvd", "UPDATE entities SET metatype = 'Gone' WHERE rowid = "
                                           "(SELECT max(rowid) FROM entities)"),
                     "unknown meta type identifier \"Gone\"");
    bad.emplace_back(path("missing.kvd"), "no such file");
    const std::string nowhere = path("no/such/folder/doc.kvd");

    const std::string look = "ls -a\nget Sketches/Beta\n";
    std::string input = "open " + good + "\n" + look;
    for (const auto& [file, problem] : bad)
        input += "open " + file + "\n" + look;
    input += "save " + nowhere + "\n" + look + "save\n";
    const auto session = runOnTerminal({"-q"}, input);
    EXPECT_EQ(session.status, 0) << session.err;

    const auto reference = commands({"open " + good, "ls -a", "get Sketches/Beta"});
    ASSERT_EQ(reference.status, 0) << reference.err;
    std::string expected;
    for (size_t i = 0; i < bad.size() + 2; ++i)
        expected += reference.out;
    EXPECT_EQ(session.out, expected);

    const Lines errors = session.errorLines();
    ASSERT_EQ(errors.size(), bad.size() + 1) << session.err;
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(errors[i].rfind("error: " + bad[i].first + ": ", 0), 0u) << errors[i];
        EXPECT_NE(errors[i].find(bad[i].second), std::string::npos) << errors[i];
    }
    EXPECT_EQ(errors.back().rfind("error: " + nowhere + ": cannot save: ", 0), 0u) << errors.back();
    EXPECT_FALSE(fs::exists(path("no")));

    // The last "save" wrote the document back to the file it was opened from
    // (at the current schema now).
    EXPECT_NE(bytes(good), document);
    const auto reopened = commands({"open " + good, "ls -a", "get Sketches/Beta"});
    EXPECT_EQ(reopened.out, reference.out);
}

} // namespace
