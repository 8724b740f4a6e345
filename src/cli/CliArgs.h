#pragma once

#include <map>
#include <string>
#include <vector>

struct SCommandSpec;

// The arguments of one command after its name: the positional ones in order and the
// options the command knows, each at most once ("--name VALUE" or "--name=VALUE").
class CCliArgs {
public:
    // False, with the problem in error, when the words do not fit the command.
    bool Parse(const SCommandSpec& spec, const std::vector<std::string>& words, std::string& error);

    const std::vector<std::string>& Positional() const { return m_positional; }
    const std::string& At(size_t index) const { return m_positional.at(index); }
    bool Has(const std::string& option) const { return m_options.count(option) != 0; }
    // The value of an option, or the fallback when it was not given.
    std::string Value(const std::string& option, const std::string& fallback = "") const;
    // The option's value as a whole decimal number; false when it is not one.
    bool IntValue(const std::string& option, int fallback, int& value, std::string& error) const;

private:
    std::vector<std::string> m_positional;
    std::map<std::string, std::string> m_options;
};
