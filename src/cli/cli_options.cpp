#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "base/program_texts.h"
#include "cli/cli_texts.h"
#include "cli/live_run.h"

namespace mivalto {
namespace {

// The formats' names, each with its extensions when asked: "text (.txt), rtf (.rtf)".
std::string FormatList(FormatTable formats, bool with_extensions) {
  std::string list;
  for (const OutputFormat& format : formats) {
    if (!list.empty()) list += ", ";
    list += format.name;
    if (!with_extensions || format.extensions.front().empty()) continue;
    list += " (";
    for (const std::string_view extension : format.extensions) {
      if (extension.empty()) continue;
      if (list.back() != '(') list += ", ";
      list += extension;
    }
    list += ')';
  }
  return list;
}

std::string FormatHelp() {
  std::string help = FormatList(OutputFormats(), true) + std::string(cli_texts::kFormatsNotBuilt);
  for (const OutputFormat& format : OutputFormats()) {
    if (format.help.empty()) continue;
    help += " ; " + std::string(format.name) + " : " + std::string(format.help);
  }
  return help + std::string(cli_texts::kFormatHelp);
}

// "<what it does> ; formats ansi, text ... ; <its exit status>".
std::string HelpWithFormats(std::string_view before, FormatTable formats, std::string_view after) {
  return std::string(before) + FormatList(formats, false) + std::string(after);
}

// The arguments as CLI11 gives them back, before they are checked.
struct GivenArguments {
  std::optional<std::string> format;
  std::optional<std::string> output;
  std::vector<std::string> files;
  bool list_catalogue = false;
  std::optional<std::string> catalogue_file;
  bool only_registered = false;
  bool compare = false;
  bool list_live = false;
  bool check = false;
};

// The options that take a value, by the name CLI11 gives them in its errors.
constexpr std::string_view kValuedOptions[] = {"--format", "--output", "--catalogue-file"};

// CLI11's help in French: its labels, and our own texts for every option.
void DeclareOptions(CLI::App& app, GivenArguments& given) {
  const auto formatter = app.get_formatter();
  formatter->label("Usage", "Utilisation");
  formatter->label("Positionals", "Arguments");
  formatter->label("REQUIRED", "requis");
  app.set_help_flag("-h,--help", std::string(cli_texts::kHelpHelp));
  app.set_version_flag("--version",
                       std::string(cli_texts::kProgramName) + ' ' + std::string(texts::kVersion),
                       std::string(cli_texts::kVersionHelp));
  app.add_option("-f,--format", given.format, FormatHelp())
      ->type_name("FORMAT");
  app.add_option("-o,--output", given.output, std::string(cli_texts::kOutputHelp))
      ->type_name("FICHIER");
  app.add_flag("--compare", given.compare,
               HelpWithFormats(cli_texts::kCompareHelp, ComparisonFormats(),
                               cli_texts::kCompareStatusHelp));
  app.add_flag("--check", given.check,
               HelpWithFormats(cli_texts::kCheckHelp, CheckFormats(), cli_texts::kCheckStatusHelp));
  app.add_flag("--catalogue", given.list_catalogue, std::string(cli_texts::kCatalogueHelp));
  app.add_option("--catalogue-file", given.catalogue_file,
                 std::string(cli_texts::kCatalogueFileHelp))
      ->type_name("CATALOGUE.json");
  app.add_flag("--live", given.list_live, std::string(cli_texts::kLiveHelp));
  app.add_flag("--only-registered", given.only_registered,
               std::string(cli_texts::kOnlyRegisteredHelp));
  // Required but with --catalogue, as CheckArguments sees to.
  app.add_option("GRAPHE.grf", given.files, std::string(cli_texts::kFilesHelp))->type_name("");
  app.footer(std::string(cli_texts::kFooter));
  // Unknown options are reported by CheckArguments, in French.
  app.allow_extras();
  // A path such as /work/x.grf (Wine, MSYS) is a file, never a Windows-style "/option".
  app.allow_windows_style_options(false);
}

// The user's own words in the message are cleaned as the reports are.
CommandLine UsageError(std::ostream& err, std::string_view before, std::string_view given,
                       std::string_view after = {}) {
  err << cli_texts::kProgramName << " : " << before << PrintableText(given) << after << '\n'
      << cli_texts::kHelpHint << '\n';
  return {std::nullopt, 2};
}

// Without --format: the name of the format the --output file's extension chooses, as
// converters do, or else the terminal's or the plain text's. The extension is looked up among
// every format, so that a mode that writes fewer (--compare) refuses it as it refuses the name.
std::string_view DefaultFormatName(std::optional<std::string_view> output, bool to_terminal) {
  const FormatTable all = OutputFormats();
  if (const OutputFormat* named = output ? FormatOfFileName(*output, all) : nullptr) {
    return named->name;
  }
  return output || !to_terminal ? PlainTextFormat(all).name : TerminalFormat(all).name;
}

// The formats of the mode asked for: --compare's, --check's or the reports'.
FormatTable ModeFormats(const GivenArguments& given) {
  if (given.compare) return ComparisonFormats();
  return given.check ? CheckFormats() : OutputFormats();
}

CommandLine FormatRefused(std::ostream& err, const GivenArguments& given, std::string_view name) {
  const std::string list = FormatList(ModeFormats(given), false);
  if (given.compare || given.check) {
    return UsageError(err, given.check ? cli_texts::kFormatNotChecked : cli_texts::kFormatNotCompared,
                      name, " (" + std::string(cli_texts::kFormats) + list + ")");
  }
  return UsageError(err, cli_texts::kUnknownFormat, name,
                    " (" + std::string(cli_texts::kFormats) + list +
                        std::string(cli_texts::kFormatsNotBuilt) + ")");
}

// CLI11 keeps the "--" that ends the options among the arguments it did not take.
std::optional<std::string> FirstUnknownArgument(const CLI::App& app) {
  for (const std::string& argument : app.remaining()) {
    if (argument != "--") return argument;
  }
  return std::nullopt;
}

// CLI11 refuses an option given twice, or without its value. Its message (English) begins
// with the option's name: only that name is taken from it.
CommandLine MisusedOption(const CLI::App& app, const CLI::ArgumentMismatch& error,
                          std::ostream& err) {
  for (const std::string_view name : kValuedOptions) {
    if (!std::string_view(error.what()).starts_with(std::string(name) + ':')) continue;
    const bool twice = app.get_option(std::string(name))->count() > 1;
    return UsageError(err, "", name,
                      twice ? cli_texts::kOptionTwice : cli_texts::kOptionWithoutValue);
  }
  return UsageError(err, cli_texts::kBadCommandLine, "");
}

// A graph file's bytes go to a named file, or through "-o -" to what is not a terminal.
// `given` is as CLI11 gave it, "-" included.
std::optional<std::string_view> GraphFileMisuse(const GivenArguments& given,
                                                bool standard_output_is_terminal) {
  const bool to_standard_output = given.output == cli_texts::kStandardOutputName;
  if (!given.output || (to_standard_output && standard_output_is_terminal)) {
    return cli_texts::kGraphFileNeedsOutput;
  }
  return std::nullopt;
}

// Files to analyse, except with --catalogue, which lists the catalogue in the formats that
// can; --only-registered only for a graph file.
std::optional<std::string> CatalogueMisuse(const GivenArguments& given, const OutputFormat& format) {
  if (given.list_catalogue && !given.files.empty()) return std::string(cli_texts::kCatalogueTakesNoFile);
  if (given.list_catalogue && !format.write_catalogue) {
    return std::string(cli_texts::kCatalogueFormat) + std::string(format.name);
  }
  if (!given.list_catalogue && !given.list_live && given.files.empty()) {
    return std::string(cli_texts::kNoFile);
  }
  if (given.only_registered && !format.graph_file) return std::string(cli_texts::kOnlyRegisteredGrf);
  return std::nullopt;
}

CommandLine CheckArguments(const CLI::App& app, GivenArguments given,
                           bool standard_output_is_terminal, std::ostream& err) {
  if (const auto unknown = FirstUnknownArgument(app)) {
    return UsageError(err, cli_texts::kUnknownOption, *unknown);
  }
  const auto misuse = GraphFileMisuse(given, standard_output_is_terminal);
  if (given.output == cli_texts::kStandardOutputName) given.output.reset();
  if (given.compare && given.files.size() != 2) {
    return UsageError(err, cli_texts::kCompareTakesTwoFiles, "");
  }
  if (given.check && (given.compare || given.list_catalogue)) {
    return UsageError(err, cli_texts::kCheckNotWith, "");
  }
  const FormatTable formats = ModeFormats(given);
  const std::string_view name =
      given.format ? *given.format : DefaultFormatName(given.output, standard_output_is_terminal);
  const OutputFormat* format = FindOutputFormat(name, formats);
  if (format == nullptr) return FormatRefused(err, given, name);
  if (given.list_live && (!given.files.empty() || given.compare || given.list_catalogue)) {
    return UsageError(err, cli_texts::kLiveTakesNoFile, "");
  }
  if (given.list_live && !ListsRunningGraphs(*format)) {
    return UsageError(err, cli_texts::kLiveFormat, format->name);
  }
  if (const auto mode_misuse = CatalogueMisuse(given, *format)) {
    return UsageError(err, *mode_misuse, "");
  }
  if (format->one_input && given.files.size() > 1) {
    return UsageError(err, cli_texts::kFormatTakesOneFile, format->name);
  }
  if (format->graph_file && misuse) return UsageError(err, *misuse, "");
  return {CliOptions{format, std::move(given.output), std::move(given.files),
                     given.list_catalogue, std::move(given.catalogue_file), given.only_registered,
                     given.list_live},
          0};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             bool standard_output_is_terminal, std::ostream& out,
                             std::ostream& err) {
  CLI::App app{std::string(cli_texts::kDescription), std::string(cli_texts::kProgramName)};
  GivenArguments given;
  DeclareOptions(app, given);
  try {
    // CLI11 takes a vector of arguments last first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    app.parse(reversed);
  } catch (const CLI::Success& answered) {  // --help, --version
    return {std::nullopt, app.exit(answered, out, err)};
  } catch (const CLI::ArgumentMismatch& error) {
    return MisusedOption(app, error, err);
  } catch (const CLI::ParseError&) {
    // The options take any values: nothing else is left to CLI11 to refuse. Should a later
    // version find a fault of its own, its English stays out of the French message.
    return UsageError(err, cli_texts::kBadCommandLine, "");
  }
  return CheckArguments(app, std::move(given), standard_output_is_terminal, err);
}

}  // namespace mivalto
