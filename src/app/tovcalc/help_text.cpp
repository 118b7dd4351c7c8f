// The help text, laid out as it has always been: the usage line, the
// description, then each option and the design file argument with its
// description wrapped beside it.

#include <algorithm>
#include <string>
#include <string_view>

#include "app/tovcalc/command_line.h"

namespace tov::tovcalc {
namespace {

constexpr std::string_view kDescription =
    "Designs a DC inductor on a powder core, as the desktop program does, and prints\n"
    "the report of the design shown. Settings start from the program's start-up\n"
    "state; a design file given first is applied as Open Design applies it; the\n"
    "options then override. The design that runs: --core given, the selected-core\n"
    "design on that core; else the design file's design mode; else the automatic\n"
    "search.\n\n"
    "Message boxes go to standard error as \"Title: text\".\n"
    "Exit status: 0 a design was shown; 1 no core is large enough (\"Too Large\");\n"
    "2 a usage error or an input the window would ask for again; 3 the core\n"
    "database or a design file could not be read or written, or the SPICE model\n"
    "not written.";

constexpr std::string_view kFileArgument = "FILE.tov";
constexpr std::string_view kFileDescription = "Design file to start from.";
constexpr std::size_t kLineWidth = 79;
constexpr std::size_t kMaxNameWidth = 50;
constexpr std::string_view kIndent = "  ";

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// "  NAMES  description" with the description wrapped at word boundaries
// to the line width, and names wider than their column wrapped as well.
std::string Entry(std::string_view names, std::size_t width, std::string_view description) {
  std::size_t name_index = 0;
  const auto next_names = [&] {
    const std::string_view section = names.substr(std::min(name_index, names.size()), width);
    name_index += section.size();
    return section;
  };
  std::string text;
  const long max = static_cast<long>(kLineWidth - (kIndent.size() + width + 1));
  const long length = static_cast<long>(description.size());
  long line_start = 0;
  long last_breakable = -1;
  long x = 0;
  for (long i = 0; i < length; ++i) {
    ++x;
    const char c = description[static_cast<std::size_t>(i)];
    if (IsSpace(c)) last_breakable = i;
    long break_at = -1;
    long next_line_start = -1;
    if (x > max && last_breakable != -1) {
      break_at = last_breakable;
      next_line_start = last_breakable + 1;
    } else if ((x > max - 1 && last_breakable == -1) || i == length - 1) {
      break_at = i + 1;
      next_line_start = break_at;
    } else if (c == '\n') {
      break_at = i;
      next_line_start = i + 1;
    }
    if (break_at != -1) {
      const std::string_view section = next_names();
      text.append(kIndent).append(section);
      text.append(width > section.size() ? width - section.size() : 0, ' ').push_back(' ');
      text.append(description.substr(static_cast<std::size_t>(line_start),
                                     static_cast<std::size_t>(break_at - line_start)));
      text.push_back('\n');
      x = 0;
      last_breakable = -1;
      line_start = next_line_start;
      if (line_start < length && IsSpace(description[static_cast<std::size_t>(line_start)])) {
        ++line_start;
      }
      i = line_start;
    }
  }
  while (name_index < names.size()) text.append(kIndent).append(next_names()).push_back('\n');
  return text;
}

std::string Names(const OptionEntry& entry) {
  std::string names;
  if (!entry.short_name.empty()) names.append("-").append(entry.short_name).append(", ");
  names.append("--").append(entry.name);
  if (!entry.value_name.empty()) names.append(" <").append(entry.value_name).append(">");
  return names;
}

}  // namespace

std::string HelpText(std::string_view program) {
  std::size_t longest = kFileArgument.size();
  for (const OptionEntry& entry : kOptions) longest = std::max(longest, Names(entry).size());
  const std::size_t width = std::min(kMaxNameWidth, longest + 1);

  std::string text = "Usage: ";
  text.append(program).append(" [options] [").append(kFileArgument).append("]\n");
  text.append(kDescription).append("\n\nOptions:\n");
  for (const OptionEntry& entry : kOptions) text += Entry(Names(entry), width, entry.description);
  text += "\nArguments:\n";
  text += Entry(kFileArgument, width, kFileDescription);
  return text;
}

}  // namespace tov::tovcalc
