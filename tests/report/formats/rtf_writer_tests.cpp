#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_encoding.h"
#include "report/formats/rtf_writer.h"
#include "../sample_report.h"

namespace mivalto {
namespace {

struct RtfParagraph {
  std::string text;
  Color color = kBlack;
  bool bold = false;
  friend bool operator==(const RtfParagraph&, const RtfParagraph&) = default;
  friend std::ostream& operator<<(std::ostream& out, const RtfParagraph& p) {
    return out << '"' << p.text << "\" " << ColorHex(p.color) << (p.bold ? " bold" : "");
  }
};

struct RtfReading {
  std::vector<RtfParagraph> paragraphs;
  std::vector<Color> colors;  // the colour table, entry 0 included
  std::string error;          // the first structural fault met
};

// Reads back what the writer uses of RTF: groups, the colour table, \cf, \b, \u, \tab, \par
// and escaped characters. Anything malformed is an error, not a guess.
class RtfReader {
 public:
  explicit RtfReader(std::string_view rtf) : rest_(rtf) {}

  RtfReading Read() {
    if (!rest_.starts_with("{\\rtf1")) Fail("no {\\rtf1 at the start");
    while (!rest_.empty() && reading_.error.empty()) {
      const char c = Take();
      if (c == '{') {
        groups_.emplace_back();
      } else if (c == '}') {
        CloseGroup();
      } else if (c == '\\') {
        Control();
      } else if (c != '\n') {
        Text(static_cast<unsigned char>(c));
      }
    }
    if (!groups_.empty()) Fail("a group is left open");
    return reading_;
  }

 private:
  char Take() {
    const char c = rest_.front();
    rest_.remove_prefix(1);
    return c;
  }
  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  bool InBody() const { return groups_.size() == 1; }
  bool InColorTable() const { return groups_.size() == 2 && groups_.back() == "colortbl"; }
  void Fail(std::string why) {
    if (reading_.error.empty()) reading_.error = std::move(why);
  }

  void CloseGroup() {
    if (groups_.empty()) return Fail("a } closes no group");
    groups_.pop_back();
    if (groups_.empty() && rest_ != "\n") Fail("bytes after the document's last }");
  }

  void Control() {
    if (rest_.empty()) return Fail("a \\ ends the document");
    const char c = Take();
    if (!IsLetter(c)) return (c == '\\' || c == '{' || c == '}') ? Text(c) : Fail("control symbol");
    std::string word(1, c);
    while (!rest_.empty() && IsLetter(rest_.front())) word += Take();
    std::optional<int> parameter;
    if (!rest_.empty() &&
        (rest_.front() == '-' || (rest_.front() >= '0' && rest_.front() <= '9'))) {
      std::size_t used = 0;
      parameter = std::stoi(std::string(rest_.substr(0, 12)), &used);
      rest_.remove_prefix(used);
    }
    if (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
    if (groups_.empty()) return Fail("control word outside the document");
    if (groups_.back().empty()) groups_.back() = word;
    Apply(word, parameter);
  }

  void Apply(const std::string& word, std::optional<int> parameter) {
    if (InColorTable()) return ColorComponent(word, parameter.value_or(0));
    if (word == "u") {
      units_.push_back(static_cast<std::uint16_t>(parameter.value_or(0)));
      skip_ = 1;
    } else if (word == "tab") {
      units_.push_back('\t');
    } else if (word == "cf") {
      color_index_ = parameter.value_or(0);
    } else if (word == "b") {
      bold_ = parameter.value_or(1) != 0;
    } else if (word == "par") {
      EndParagraph();
    }
  }

  void ColorComponent(const std::string& word, int value) {
    const int shift = word == "red" ? 0 : word == "green" ? 8 : word == "blue" ? 16 : -1;
    if (shift >= 0) color_ |= static_cast<Color>(value) << shift;
  }

  void Text(unsigned char c) {
    if (c >= 0x80) return Fail("a byte beyond ASCII");
    if (InColorTable() && c == ';') {
      reading_.colors.push_back(color_);
      color_ = 0;
    } else if (InBody() && skip_ > 0) {
      --skip_;
    } else if (InBody()) {
      units_.push_back(c);
    }
  }

  void EndParagraph() {
    if (color_index_ < 1 || color_index_ >= static_cast<int>(reading_.colors.size())) {
      return Fail("\\cf" + std::to_string(color_index_) + " is not in the colour table");
    }
    std::string text;
    Utf16Decoder decoder(text);
    for (const std::uint16_t unit : units_) decoder.Push(unit);
    decoder.Finish();
    reading_.paragraphs.push_back({text, reading_.colors[color_index_], bold_});
    units_.clear();
  }

  std::string_view rest_;
  std::vector<std::string> groups_;  // each open group's first control word
  RtfReading reading_;
  std::vector<std::uint16_t> units_;
  int skip_ = 0;
  int color_index_ = 0;
  bool bold_ = false;
  Color color_ = 0;
};

std::string RtfOf(const ReportView& view) {
  std::ostringstream out;
  WriteRtf(view, out);
  return out.str();
}

ReportView EveryByteReport() {
  ReportView view;
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
  view.SetColor(0x123456);
  view.Append(bytes);
  return view;
}

struct RtfCase {
  const char* name;
  ReportView view;
  std::size_t colors;  // distinct colours of the view
  friend void PrintTo(const RtfCase& c, std::ostream* out) { *out << c.name; }
};

class RtfReadBack : public ::testing::TestWithParam<RtfCase> {};

TEST_P(RtfReadBack, ParagraphsAreTheLinesInTheirColours) {
  const RtfReading read = RtfReader(RtfOf(GetParam().view)).Read();
  ASSERT_EQ(read.error, "");
  std::vector<RtfParagraph> expected;
  for (const ReportLine& line : GetParam().view.Lines()) {
    expected.push_back({PrintableText(line.text), line.color, line.bold});
  }
  EXPECT_EQ(read.paragraphs, expected);
  EXPECT_EQ(read.colors.size(), GetParam().colors + 1);
}

INSTANTIATE_TEST_SUITE_P(Reports, RtfReadBack,
                         ::testing::Values(RtfCase{"Sample", testing::SampleReport(), 5},
                                           RtfCase{"EveryByte", EveryByteReport(), 1},
                                           RtfCase{"Empty", ReportView(), 0}),
                         [](const auto& info) { return std::string(info.param.name); });

class TemporaryFolder {
 public:
  TemporaryFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("mivalto-rtf-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// soffice converts the document in its own profile, so that it never meets a running office.
bool ConvertWithLibreOffice(const TemporaryFolder& folder, const std::string& filter) {
  const std::string command = "soffice -env:UserInstallation=file://" +
                              (folder.Path() / "profile").string() + " --headless --convert-to '" +
                              filter + "' --outdir " + folder.Path().string() + ' ' +
                              (folder.Path() / "report.rtf").string() + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

TEST(RtfWriter, LibreOfficeOpensItAndKeepsTheText) {
  if (std::system("command -v soffice >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "soffice is not installed: LibreOffice can't check the RTF";
  }
  const TemporaryFolder folder;
  std::ofstream(folder.Path() / "report.rtf", std::ios::binary) << RtfOf(testing::SampleReport());

  ASSERT_TRUE(ConvertWithLibreOffice(folder, "pdf"));
  EXPECT_TRUE(ReadWhole(folder.Path() / "report.pdf").starts_with("%PDF"));

  ASSERT_TRUE(ConvertWithLibreOffice(folder, "txt:Text (encoded):UTF8"));
  const std::string text = ReadWhole(folder.Path() / "report.txt");
  for (const char* line : {"MYGRAPH.GRF", "modifié le 1", "DMO \U0001F600 x", "C:\\{d}\\a<b>&\"q\"",
                           "e\uFFFD[31m b\uFFFD c\uFFFD t\tz"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " missing from:\n" << text;
  }
}

}  // namespace
}  // namespace mivalto
