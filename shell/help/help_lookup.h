// Where the help comes from. The places are tried in order: the application's
// help file (the folder that was current at start-up, followed by
// "/OrvJava.hlp"), then the copies installed with the program (beside the
// executable, then in the installation's share/orvjava folder) or built into
// it. The first place that holds a valid help file wins; a place whose file
// is damaged or unreadable is reported and passed over.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/help/help_book.h"

namespace orv::help {

struct HelpPlace {
  std::string Path;
  std::string Where;  // how a learner would name it: "dans le dossier de démarrage"
};

struct FileRead {
  enum class Status { Read, Absent, Unreadable };
  Status State = Status::Absent;
  std::string Text;    // when Read
  std::string Reason;  // when Unreadable, in French
};

using HelpReader = std::function<FileRead(const std::string& path)>;

struct HelpLoad {
  std::optional<HelpBook> Book;
  std::string Path;  // where the book was read
  // One French sentence per place that had a file that could not be used.
  std::vector<std::string> Problems;
};

HelpLoad LoadHelp(const std::vector<HelpPlace>& places, const HelpReader& read);

// The copies tried after the application's help file, for an executable in
// `executableDir`: OrvJava.hlp beside it, then the one an installation puts in
// <prefix>/share/orvjava/ for an executable in <prefix>/bin/, then `builtIn`.
std::vector<std::string> FallbackHelpFiles(const std::string& executableDir, const std::string& builtIn);
// How a learner would name the place of one of those copies.
std::string FallbackPlace(const std::string& path);

// The French text that says the help is missing: the places looked at and
// what to do. Used when `load` found no book.
std::vector<std::string> MissingHelpLines(const std::vector<HelpPlace>& places, const HelpLoad& load);

}  // namespace orv::help
