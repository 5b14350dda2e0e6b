#include "cli/arguments.h"

#include <cstdio>
#include <cstring>

namespace cli {
namespace {

bool Listed(std::initializer_list<const char*> names, const std::string& name) {
  for (const char* known : names) {
    if (name == known) return true;
  }
  return false;
}

}  // namespace

std::string Arguments::Value(const std::string& name, const std::string& fallback) const {
  auto found = values.find(name);
  return found == values.end() ? fallback : found->second;
}

bool ParseArguments(int argc, char** argv, int first, const VerbSyntax& syntax, Arguments* out,
                    std::string* error) {
  bool optionsEnded = false;
  for (int i = first; i < argc; ++i) {
    std::string word = argv[i];
    if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
      out->positional.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (Listed(syntax.switches, word)) {
      out->switches.insert(word);
    } else if (Listed(syntax.valued, word)) {
      if (i + 1 >= argc) {
        *error = word + " needs a value";
        return false;
      }
      out->values[word] = argv[++i];
    } else {
      *error = "unknown option " + word;
      return false;
    }
  }
  if (out->positional.size() < syntax.minPositional) {
    *error = "missing argument";
    return false;
  }
  if (out->positional.size() > syntax.maxPositional) {
    *error = "unexpected argument " + out->positional[syntax.maxPositional];
    return false;
  }
  return true;
}

}  // namespace cli
