// The command line's grammar: what the user asked velquist-merge to do, or the
// message that refuses the arguments. CLI11 parses and shapes --help; this
// module knows nothing of reading or merging.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velquist {

struct TCommandLine {
    enum class TAction { Merge, Inspect, Languages, Help, Version };
    TAction Action = TAction::Merge;
    std::string Language = "English";
    std::string Result;
    std::vector<std::string> Reports;  // for Inspect, the one report
    bool WriteSymbol = false;
    bool Verbose = false;
    bool Strict = false;  // a warning about a report stops the merge
};

// The four usage lines, printed under every refusal.
extern const char* const UsageText;

// args excludes the program name. nullopt when the arguments are refused; the
// reason (one line, such as "unknown option -x" or "--inspect takes one
// report, not 2"), then the usage, went to err.
std::optional<TCommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                             std::ostream& err);

// What --help prints: the usage, what each option does and the exit codes.
std::string HelpText();

}  // namespace velquist
