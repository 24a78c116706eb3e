#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace mivalto {
namespace {

using Arguments = std::vector<std::string>;

struct AcceptedCase {
  const char* name;
  Arguments arguments;
  bool terminal;
  std::string format;
  std::optional<std::string> output;
  Arguments files;
  friend void PrintTo(const AcceptedCase& c, std::ostream* out) { *out << c.name; }
};

class AcceptedCommandLine : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedCommandLine, GivesTheOptions) {
  const AcceptedCase& c = GetParam();
  std::ostringstream out, err;
  const CommandLine parsed = ParseCommandLine(c.arguments, c.terminal, out, err);
  ASSERT_TRUE(parsed.options.has_value()) << err.str();
  EXPECT_EQ(parsed.options->format->name, c.format);
  EXPECT_EQ(parsed.options->output, c.output);
  EXPECT_EQ(parsed.options->files, c.files);
  EXPECT_EQ(out.str() + err.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, AcceptedCommandLine,
    ::testing::Values(
        AcceptedCase{"TerminalDefaultsToAnsi", {"a.grf"}, true, "ansi", {}, {"a.grf"}},
        AcceptedCase{"PipeDefaultsToText", {"a.grf"}, false, "text", {}, {"a.grf"}},
        AcceptedCase{
            "FileDefaultsToText", {"-o", "r.txt", "a.grf"}, true, "text", "r.txt", {"a.grf"}},
        AcceptedCase{"AnsiAsked", {"--format", "ansi", "a.grf"}, false, "ansi", {}, {"a.grf"}},
        AcceptedCase{"TextAsked", {"--format", "text", "a.grf"}, true, "text", {}, {"a.grf"}},
        AcceptedCase{"RtfAsked",
                     {"-f", "rtf", "--output", "r.rtf", "a.grf"},
                     true,
                     "rtf",
                     "r.rtf",
                     {"a.grf"}},
        AcceptedCase{"HtmlWithEquals", {"--format=html", "a.grf"}, true, "html", {}, {"a.grf"}},
        AcceptedCase{"CppAsked", {"-f", "cpp", "a.grf"}, true, "cpp", {}, {"a.grf"}},
        AcceptedCase{
            "GrfToAFile", {"-f", "grf", "-o", "g.grf", "a.grf"}, true, "grf", "g.grf", {"a.grf"}},
        AcceptedCase{"GrfThroughAPipe", {"-f", "grf", "-o", "-", "a.grf"}, false, "grf", {}, {"a.grf"}},
        AcceptedCase{"RootedPathIsAFile", {"/work/a.grf"}, false, "text", {}, {"/work/a.grf"}},
        AcceptedCase{"JsonAfterFiles",
                     {"a.grf", "b.grf", "-f", "json"},
                     true,
                     "json",
                     {},
                     {"a.grf", "b.grf"}},
        AcceptedCase{"DashesEndOptions",
                     {"--", "-a.grf", "--help"},
                     false,
                     "text",
                     {},
                     {"-a.grf", "--help"}},
        AcceptedCase{"FormatNamesAreWords", {"-f", "JSON", "a.grf"}, true, "json", {}, {"a.grf"}},
        AcceptedCase{"ExtensionNamesIt", {"-o", "p.HTM", "a.grf"}, true, "html", "p.HTM", {"a.grf"}},
        AcceptedCase{"LastDotNamesIt",
                     {"-o", "g.edited.grf", "a.grf"}, true, "grf", "g.edited.grf", {"a.grf"}},
        AcceptedCase{"FolderIsNoExtension", {"-o", "v.gv/r", "a"}, true, "text", "v.gv/r", {"a"}},
        AcceptedCase{"FormatWins", {"-fdot", "-o", "r.rtf", "a.grf"}, true, "dot", "r.rtf", {"a.grf"}},
        AcceptedCase{"DashIsStandardOutput", {"-o", "-", "a.grf"}, true, "ansi", {}, {"a.grf"}},
        AcceptedCase{"CompareToAPage",
                     {"--compare", "-o", "d.htm", "a.grf", "b.json"},
                     true,
                     "html",
                     "d.htm",
                     {"a.grf", "b.json"}},
        AcceptedCase{"RunningGraphs", {"--live", "-f", "JSON"}, true, "json", {}, {}},
        AcceptedCase{"RunningGraphInput", {"live:42/3"}, false, "text", {}, {"live:42/3"}},
        AcceptedCase{"CompareToAnyOtherName", {"--compare", "-o", "c.log", "a", "b"}, true, "text",
                     "c.log", {"a", "b"}},
        AcceptedCase{"CheckToAPage",
                     {"--check", "-o", "c.html", "a.grf", "b.json", "c.grf"},
                     true,
                     "html",
                     "c.html",
                     {"a.grf", "b.json", "c.grf"}},
        AcceptedCase{"NonAsciiPaths",
                     {"-o", "é.rtf", "C:\\Vidéo\\graphe \U0001F600.grf"},
                     false,
                     "rtf",
                     "é.rtf",
                     {"C:\\Vidéo\\graphe \U0001F600.grf"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct AnsweredCase {
  const char* name;
  Arguments arguments;
  int status;
  std::string out_starts;  // what standard output must start with
  std::string err_starts;  // what the error stream must start with
  bool terminal = false;   // standard output is a terminal
  friend void PrintTo(const AnsweredCase& c, std::ostream* out) { *out << c.name; }
};

class AnsweredCommandLine : public ::testing::TestWithParam<AnsweredCase> {};

TEST_P(AnsweredCommandLine, PrintsAndGivesTheStatus) {
  const AnsweredCase& c = GetParam();
  std::ostringstream out, err;
  const CommandLine parsed = ParseCommandLine(c.arguments, c.terminal, out, err);
  EXPECT_FALSE(parsed.options.has_value());
  EXPECT_EQ(parsed.exit_status, c.status);
  EXPECT_TRUE(out.str().starts_with(c.out_starts)) << out.str();
  EXPECT_TRUE(err.str().starts_with(c.err_starts)) << err.str();
  EXPECT_EQ(out.str().empty(), c.out_starts.empty()) << out.str();
  EXPECT_EQ(err.str().empty(), c.err_starts.empty()) << err.str();
}

const std::string kHelpStart =
    "Explique des fichiers de graphe DirectShow (.grf) : filtres, connexions, types de média, "
    "horloge.\nUtilisation: mivalto-cli [OPTIONS] [GRAPHE.grf...]\n";
const std::string kHint = "\nPour l'aide : mivalto-cli --help\n";

INSTANTIATE_TEST_SUITE_P(
    Table, AnsweredCommandLine,
    ::testing::Values(
        AnsweredCase{"Help", {"--help"}, 0, kHelpStart, ""},
        AnsweredCase{"HelpWithFiles", {"a.grf", "-h"}, 0, kHelpStart, ""},
        AnsweredCase{"Version", {"--version"}, 0, "mivalto-cli 2.2.0\n", ""},
        AnsweredCase{
            "Nothing", {}, 2, "", "mivalto-cli : aucun fichier de graphe à analyser" + kHint},
        AnsweredCase{"OnlyOptions",
                     {"-f", "json"},
                     2,
                     "",
                     "mivalto-cli : aucun fichier de graphe à analyser" + kHint},
        AnsweredCase{"RunningGraphsWithAFile",
                     {"--live", "a.grf"},
                     2,
                     "",
                     "mivalto-cli : --live liste les graphes en cours : aucun fichier de graphe, "
                     "ni --compare ni --catalogue avec lui" + kHint},
        AnsweredCase{"RunningGraphsAsAPage",
                     {"--live", "-o", "g.html"},
                     2,
                     "",
                     "mivalto-cli : --live s'écrit en ansi, text ou json, pas en html" + kHint},
        AnsweredCase{
            "UnknownOption", {"-x", "a.grf"}, 2, "", "mivalto-cli : option inconnue : -x" + kHint},
        AnsweredCase{"UnknownOptionAlone",
                     {"-x.grf"},
                     2,
                     "",
                     "mivalto-cli : option inconnue : -x.grf" + kHint},
        AnsweredCase{"UnknownOptionCleaned",
                     {"-\x1b[2J", "a.grf"},
                     2,
                     "",
                     "mivalto-cli : option inconnue : -\uFFFD[2J" + kHint},
        AnsweredCase{"UnknownFormatListsTheFormats",
                     {"--format", "jsn", "a.grf"},
                     2,
                     "",
                     "mivalto-cli : format inconnu : jsn (formats : ansi, text, rtf, html, json, "},
        AnsweredCase{"CppOfOneFileOnly",
                     {"-o", "prog.CPP", "a.grf", "b.grf"},
                     2,
                     "",
                     "mivalto-cli : un seul fichier de graphe pour le format cpp" + kHint},
        AnsweredCase{"FormatWithoutValue",
                     {"a.grf", "--format"},
                     2,
                     "",
                     "mivalto-cli : --format : valeur manquante" + kHint},
        AnsweredCase{"OutputWithoutValue",
                     {"a.grf", "-o"},
                     2,
                     "",
                     "mivalto-cli : --output : valeur manquante" + kHint},
        AnsweredCase{"OutputTwice",
                     {"-o", "a", "-o", "b", "x.grf"},
                     2,
                     "",
                     "mivalto-cli : --output : option donnée plus d'une fois" + kHint},
        AnsweredCase{"CompareRefusesRtf",
                     {"--compare", "-f", "rtf", "a.grf", "b.grf"},
                     2,
                     "",
                     "mivalto-cli : --compare n'écrit pas le format rtf (formats : ansi, text, "
                     "html, json)" + kHint},
        // An extension names its format under --compare too, refused as its name is.
        AnsweredCase{"CompareRefusesAnSvgName",
                     {"--compare", "-o", "c.SVG", "a.grf", "b.grf"},
                     2,
                     "",
                     "mivalto-cli : --compare n'écrit pas le format svg (formats : ansi, text, "
                     "html, json)" + kHint},
        AnsweredCase{"CompareRefusesAGraphFileName", {"--compare", "-o", "c.grf", "a", "b"}, 2, "",
                     "mivalto-cli : --compare n'écrit pas le format grf"},
        AnsweredCase{"CheckRefusesDot",
                     {"--check", "-f", "dot", "a.grf"},
                     2,
                     "",
                     "mivalto-cli : --check n'écrit pas le format dot (formats : ansi, text, "
                     "html, json)" + kHint},
        AnsweredCase{"CheckIsNoComparison",
                     {"--check", "--compare", "a.grf", "b.grf"},
                     2,
                     "",
                     "mivalto-cli : --check ne va pas avec --compare ni --catalogue" + kHint},
        AnsweredCase{"CompareOfOneFile",
                     {"--compare", "a.grf"},
                     2,
                     "",
                     "mivalto-cli : --compare compare deux fichiers de graphe" + kHint},
        // A graph file: one input, to a file or a pipe.
        AnsweredCase{"GrfWithoutOutput", {"-f", "grf", "a.grf"}, 2, "", "mivalto-cli : --format grf"},
        AnsweredCase{"GrfOfTwoFiles",
                     {"-f", "grf", "-o", "g.grf", "a.grf", "b.grf"},
                     2,
                     "",
                     "mivalto-cli : un seul fichier de graphe pour le format grf"},
        AnsweredCase{"GrfToATerminal",
                     {"-f", "grf", "-o", "-", "a.grf"},
                     2,
                     "",
                     "mivalto-cli : --format grf",
                     true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mivalto
