#include "script.h"

#include <sstream>

namespace handheld {

bool SplitWords(const std::string& line, std::vector<std::string>* words, std::string* error) {
  words->clear();
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_word) words->push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (quoted) {
    *error = "unclosed quote";
    return false;
  }
  if (in_word) words->push_back(word);
  return true;
}

bool ParseScript(const std::string& text, Script* script, std::string* error) {
  script->steps.clear();
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    std::vector<std::string> words;
    std::string reason;
    if (!SplitWords(line, &words, &reason)) {
      *error = "line " + std::to_string(number) + ": " + reason;
      return false;
    }
    ScriptStep step;
    step.line = number;
    step.command = words.front();
    step.arguments.assign(words.begin() + 1, words.end());
    script->steps.push_back(std::move(step));
  }
  return true;
}

}  // namespace handheld
