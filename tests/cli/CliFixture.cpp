#include "cli/CliFixture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "model/Profile.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"

SCliRun CliTest::Run(const std::vector<std::string>& args, const std::string& input,
                     const std::map<std::string, std::string>& environment,
                     const std::string& program) {
    return Finish(Start(args, environment, program, "run", input));
}

pid_t CliTest::Start(const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& environment,
                     const std::string& program, const std::string& name,
                     const std::string& input) {
    std::string inPath = state.WriteFile(name + ".stdin", input);
    std::string outPath = state / (name + ".stdout");
    std::string errPath = state / (name + ".stderr");
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::string stateHome = state / "xdg";
    pid_t child = fork();
    if (child == 0) {
        int in = open(inPath.c_str(), O_RDONLY);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
            dup2(err, 2) < 0 || chdir(dir.Path().c_str()) != 0)
            _exit(127);
        setenv("XDG_STATE_HOME", stateHome.c_str(), 1);
        for (const auto& [name, value] : environment)
            setenv(name.c_str(), value.c_str(), 1);
        signal(SIGXFSZ, SIG_DFL);
        rlimit size{m_nFileSizeLimit, m_nFileSizeLimit};
        if (m_nFileSizeLimit != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &size) != 0)
            _exit(127);
        alarm(m_nTimeLimit);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

SCliRun CliTest::Finish(pid_t child, const std::string& name) {
    SCliRun run;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child) {
        if (WIFEXITED(status))
            run.nStatus = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            run.nSignal = WTERMSIG(status);
    }
    run.strOut = ReadFileBytes(state / (name + ".stdout"));
    run.strErr = ReadFileBytes(state / (name + ".stderr"));
    return run;
}

bool CliTest::WaitUntilStopped(pid_t child) {
    int status = 0;
    return waitpid(child, &status, WUNTRACED) == child && WIFSTOPPED(status);
}

void CliTest::WriteList(const std::vector<std::string>& paths,
                        const std::vector<std::string>& newNames, const std::string& list) {
    CFakePrompts prompts;
    CMemoryProfile profile;
    CTesselSession session(prompts, profile);
    for (const std::string& path : paths) {
        CHitDoc entry(path);
        ASSERT_TRUE(entry.Exists()) << path;
        size_t row = static_cast<size_t>(session.List().GetCount());
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

std::vector<std::string> CliTest::Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
