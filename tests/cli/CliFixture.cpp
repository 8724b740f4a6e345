// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliFixture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "model/Profile.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"

// Each child writes its output to files named after its process id.
pid_t CliTest::Start(const std::vector<std::string>& args, const Environment& environment,
                     const std::string& program) {
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::string out = state / "", stateHome = state / "xdg";
    pid_t child = fork();
    if (child == 0) {
        out += std::to_string(getpid());
        int in = open("/dev/null", O_RDONLY);
        int fds[] = {open((out + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600),
                     open((out + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)};
        rlimit size{m_nFileSizeLimit, m_nFileSizeLimit};
        signal(SIGXFSZ, SIG_DFL);
        if (in < 0 || fds[0] < 0 || fds[1] < 0 || dup2(in, 0) < 0 || dup2(fds[0], 1) < 0 ||
            dup2(fds[1], 2) < 0 || chdir(dir.Path().c_str()) != 0 ||
            (size.rlim_cur != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &size) != 0))
            _exit(127);
        setenv("XDG_STATE_HOME", stateHome.c_str(), 1);
        for (const auto& [name, value] : environment)
            setenv(name.c_str(), value.c_str(), 1);
        alarm(m_nTimeLimit);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

SCliRun CliTest::Finish(pid_t child) {
    SCliRun run;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child) {
        if (WIFEXITED(status))
            run.nStatus = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            run.nSignal = WTERMSIG(status);
    }
    run.strOut = ReadFileBytes(state / (std::to_string(child) + ".out"));
    run.strErr = ReadFileBytes(state / (std::to_string(child) + ".err"));
    return run;
}

void CliTest::WriteList(const std::vector<std::string>& paths,
                        const std::vector<std::string>& newNames, const std::string& list) {
    CFakePrompts prompts;
    CMemoryProfile profile;
    CTesselSession session(prompts, profile);
    for (size_t row = 0; row < paths.size(); ++row) {
        CHitDoc entry(paths[row]);
        ASSERT_TRUE(entry.Exists()) << paths[row];
        if (row < newNames.size())
            entry.m_strNewName.Set(newNames[row]);
        session.AddEntry(entry);
    }
    CTesselDoc doc(session);
    ASSERT_TRUE(doc.OnSaveDocument(list.empty() ? List() : list));
}

std::vector<std::string> CliTest::Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> CliTest::Column(const std::string& text, size_t column) {
    std::vector<std::string> cells;
    for (std::string line : Lines(text)) {
        for (size_t i = 0; i < column; ++i)
            line.erase(0, line.find('\t') + 1);
        cells.push_back(line.substr(0, line.find('\t')));
    }
    return cells;
}
