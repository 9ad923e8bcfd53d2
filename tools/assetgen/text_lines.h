// Reads a source text file as numbered lines split into words, dropping comments and blanks.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

struct TextLine {
    int number = 0;
    std::string text;               // the line as written, comment removed
    std::vector<std::string> words; // split at spaces and tabs
};

class TextLines {
  public:
    // False with a message in error when the file cannot be read.
    bool load(const std::string& path, std::string& error);
    const std::vector<TextLine>& lines() const { return lines_; }

  private:
    std::vector<TextLine> lines_;
};

// Parses a whole decimal number or a decimal fraction; false when the word is not one.
bool parseInt(const std::string& word, int& value);
bool parseNumber(const std::string& word, double& value);

} // namespace assetgen
