#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvelant {

// Cuts an SD file into its records as its lines arrive, so a batch never holds the whole
// file: each "$$$$" line closes a record. Lines may end in "\n", "\r\n" or nothing; the
// records come back with "\n" line ends and without the "$$$$" line. Blank lines inside a
// record are kept: a molfile's title and comment lines may be blank.
class SdfSplitter {
 public:
  // Takes the next line; returns the record it closes, if it is a "$$$$" line.
  std::optional<std::string> Feed(std::string_view line);
  // At the end of the stream: the last record if it lacks its "$$$$" line and holds more
  // than white space.
  std::optional<std::string> Finish();

 private:
  std::string pending_;
  bool firstLine_ = true;
};

// Every record of a whole SD file, through SdfSplitter.
std::vector<std::string> SplitSdfRecords(std::string_view text);

}  // namespace korvelant
