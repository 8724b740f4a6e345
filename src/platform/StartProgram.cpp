// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StartProgram.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Between fork and exec only async-signal-safe calls: the argument vector is built before.
[[noreturn]] void RunInGrandchild(const char* program, char* const* argv, int report) {
    // The program starts with the signals as a new process has them, not with this one's
    // (the file size signal is ignored here).
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(SIGXFSZ, &standard, nullptr);
    sigaction(SIGPIPE, &standard, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execvp(program, argv);
    int error = errno;
    ssize_t ignored = write(report, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

}  // namespace

bool StartDetachedProgram(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    // The grandchild writes exec's error here; a successful exec closes it empty.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;
    pid_t child = fork();
    if (child == 0) {
        close(report[0]);
        setsid();
        pid_t grandchild = fork();
        if (grandchild == 0)
            RunInGrandchild(program.c_str(), argv.data(), report[1]);
        _exit(grandchild < 0 ? 1 : 0);
    }
    close(report[1]);
    bool started = false;
    if (child > 0) {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        int error = 0;
        ssize_t got;
        while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
        }
        started = WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
    }
    close(report[0]);
    return started;
}
