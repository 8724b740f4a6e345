// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers of the tessel-cli benchmarks, which time whole processes.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace clibench {

// The tessel-cli built with this benchmark program (build/bench -> build/src/cli).
inline std::string CliPath() {
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path().parent_path() / "src/cli/tessel-cli").string();
}

// Runs a program with its output thrown away and the given text on its standard input;
// returns its exit status (-1 when it could not run or was killed).
inline int RunProgram(const std::vector<std::string>& words, const std::string& input = "") {
    int in[2];
    if (pipe(in) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    std::vector<std::string> copy = words;
    for (std::string& word : copy)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = -1;
    int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    size_t done = 0;
    while (spawned == 0 && done < input.size()) {
        ssize_t put = write(in[1], input.data() + done, input.size() - done);
        if (put <= 0)
            break;
        done += static_cast<size_t>(put);
    }
    close(in[1]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// CPU seconds (user and system) used so far by this process, or by its finished
// children: with other work on the machine, CPU time compares programs more steadily
// than wall time.
inline double CpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A fresh folder for a benchmark's files under $TMPDIR (or /tmp).
inline std::string MakeScratchFolder(const char* name) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/" + name + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    return pattern;
}

}  // namespace clibench
