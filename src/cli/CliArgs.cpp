#include "cli/CliArgs.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "cli/CommandTable.h"

namespace {

const SOptionSpec* FindOption(const SCommandSpec& spec, const std::string& name) {
    for (const SOptionSpec& option : spec.options)
        if (name == option.pszName)
            return &option;
    return nullptr;
}

// The option a word such as "-z" stands for; null for any other word, which is then
// positional as before (a file may be called "-x").
const SOptionSpec* FindShortOption(const SCommandSpec& spec, const std::string& word) {
    if (word.size() != 2 || word[0] != '-' || word[1] == '-')
        return nullptr;
    for (const SOptionSpec& option : spec.options)
        if (option.cShort == word[1] && option.pszValue == nullptr)
            return &option;
    return nullptr;
}

}  // namespace

bool CCliArgs::Parse(const SCommandSpec& spec, const std::vector<std::string>& words,
                     std::string& error) {
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (const SOptionSpec* letter = optionsEnded ? nullptr : FindShortOption(spec, word)) {
            m_options[letter->pszName] = "";
            continue;
        }
        if (optionsEnded || word.size() < 3 || word.compare(0, 2, "--") != 0) {
            if (!optionsEnded && word == "--") {
                optionsEnded = true;
                continue;
            }
            m_positional.push_back(word);
            continue;
        }
        size_t equals = word.find('=');
        std::string name = word.substr(2, equals == std::string::npos ? equals : equals - 2);
        const SOptionSpec* option = FindOption(spec, name);
        if (option == nullptr) {
            error = "unknown option --" + name;
            return false;
        }
        if (m_options.count(name) != 0) {
            error = "option --" + name + " given twice";
            return false;
        }
        std::string value;
        if (option->pszValue == nullptr) {
            if (equals != std::string::npos) {
                error = "option --" + name + " takes no value";
                return false;
            }
        } else if (equals != std::string::npos) {
            value = word.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            error = "option --" + name + " needs a value";
            return false;
        }
        m_options[name] = value;
    }
    int count = static_cast<int>(m_positional.size());
    if (count < spec.nMinArgs || (spec.nMaxArgs >= 0 && count > spec.nMaxArgs)) {
        error = count < spec.nMinArgs ? "missing arguments" : "too many arguments";
        return false;
    }
    return true;
}

std::string CCliArgs::Value(const std::string& option, const std::string& fallback) const {
    auto found = m_options.find(option);
    return found == m_options.end() ? fallback : found->second;
}

bool CCliArgs::IntValue(const std::string& option, int fallback, int& value,
                        std::string& error) const {
    auto found = m_options.find(option);
    if (found == m_options.end()) {
        value = fallback;
        return true;
    }
    const std::string& text = found->second;
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || number < INT_MIN || number > INT_MAX) {
        error = "--" + option + " needs a whole number, not '" + text + "'";
        return false;
    }
    value = static_cast<int>(number);
    return true;
}
