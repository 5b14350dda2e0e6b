// Command-line parsing for the verbs of kobaru.
#pragma once

#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace cli {

inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_FAILED = 1;
inline constexpr int EXIT_USAGE = 2;

struct Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // options that take a value
  std::set<std::string> switches;             // options that stand alone

  bool Has(const std::string& name) const { return switches.count(name) != 0; }
  std::string Value(const std::string& name, const std::string& fallback) const;
};

struct VerbSyntax {
  std::initializer_list<const char*> switches;
  std::initializer_list<const char*> valued;
  size_t minPositional;
  size_t maxPositional;
};

// Parses argv[first..]. On a usage error returns false with `error` set.
bool ParseArguments(int argc, char** argv, int first, const VerbSyntax& syntax, Arguments* out,
                    std::string* error);

// Prints "kobaru: <error>", the verb's usage line (none for a null or
// unknown verb) and where the help is, on stderr; returns EXIT_USAGE.
int UsageError(const char* verb, const std::string& error);
void PrintUsage(FILE* stream);

}  // namespace cli
