#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "report/formats/ansi_writer.h"
#include "report/formats/html_writer.h"
#include "report/formats/json_stream.h"
#include "report/formats/json_writer.h"
#include "report/formats/rtf_writer.h"
#include "report/formats/text_writer.h"
#include "../sample_report.h"

namespace mivalto {
namespace {

using testing::SampleDocument;
using testing::SampleReport;

std::string Written(ReportWriter write, std::span<const ReportDocument> documents) {
  std::ostringstream out;
  write(documents, out);
  return out.str();
}

std::string WrittenSample(ReportWriter write) {
  const ReportView view = SampleReport();
  const ReportDocument document = SampleDocument(view);
  return Written(write, std::span(&document, 1));
}

TEST(WriterGolden, Text) {
  EXPECT_EQ(WrittenSample(WriteText),
            "MYGRAPH.GRF\n"
            "modifié le 1\n"
            "\n"
            "DMO \U0001F600 x\n"
            "C:\\{d}\\a<b>&\"q\"\n"
            "e\uFFFD[31m b\uFFFD c\uFFFD t\tz\n");
}

TEST(WriterGolden, Ansi) {
  EXPECT_EQ(WrittenSample(WriteAnsi),
            "\x1b[1;33mMYGRAPH.GRF\x1b[0m\n"
            "modifié le 1\n"
            "\n"
            "\x1b[32mDMO \U0001F600 x\x1b[0m\n"
            "\x1b[35mC:\\{d}\\a<b>&\"q\"\x1b[0m\n"
            "\x1b[1;34me\uFFFD[31m b\uFFFD c\uFFFD t\tz\x1b[0m\n");
}

TEST(WriterGolden, Rtf) {
  EXPECT_EQ(WrittenSample(WriteRtf),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
            "{\\fonttbl{\\f0\\fswiss\\fcharset0 MS Sans Serif;}}\n"
            "{\\colortbl;\\red128\\green128\\blue0;\\red0\\green0\\blue0;\\red0\\green128\\blue0;"
            "\\red128\\green0\\blue128;\\red0\\green0\\blue255;}\n"
            "\\pard\\plain\\f0\\fs20\n"
            "\\cf1\\b MYGRAPH.GRF\\par\n"
            "\\cf2\\b0 modifi\\u233? le 1\\par\n"
            "\\cf2\\b0 \\par\n"
            "\\cf3\\b0 DMO \\u-10179?\\u-8704? x\\par\n"
            "\\cf4\\b0 C:\\\\\\{d\\}\\\\a<b>&\"q\"\\par\n"
            "\\cf5\\b e\\u-3?[31m b\\u-3? c\\u-3? t\\tab z\\par\n"
            "}\n");
}

// The page's style sheet is its look, not its content: the golden leaves it out.
std::string WithoutStyle(std::string page) {
  const std::size_t start = page.find("<style>\n");
  const std::size_t end = page.find("</style>\n");
  if (start == std::string::npos || end == std::string::npos) return page;
  return page.erase(start, end + 9 - start);
}

TEST(WriterGolden, Html) {
  EXPECT_EQ(
      WithoutStyle(WrittenSample(WriteHtml)),
      "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>mygraph.grf</title>\n"
      "</head>\n<body>\n<header>\n<h1>Mivalto</h1>\n"
      "<p>Mivalto 2.2.0 fr · <a href=\"https://mivalto.example.org\">"
      "https://mivalto.example.org</a></p>\n"
      "<ul class=\"legend\">\n"
      "<li><span class=\"swatch\" style=\"background:#000000\"></span>Filtre DirectShow</li>\n"
      "<li><span class=\"swatch\" style=\"background:#008000\"></span>DMO</li>\n"
      "<li><span class=\"swatch\" style=\"background:#800080\"></span>"
      "Périphérique Plug-and-Play</li>\n"
      "<li><span class=\"swatch\" style=\"background:#0000FF\"></span>"
      "ACM ou compresseur AVI</li>\n"
      "</ul>\n</header>\n<main>\n<section>\n<h2>mygraph.grf</h2>\n<pre>\n"
      "<span style=\"color:#808000;font-weight:bold\">MYGRAPH.GRF</span>\n"
      "<span style=\"color:#000000\">modifié le 1</span>\n"
      "<span style=\"color:#000000\"></span>\n"
      "<span style=\"color:#008000\">DMO \U0001F600 x</span>\n"
      "<span style=\"color:#800080\">C:\\{d}\\a&lt;b&gt;&amp;&quot;q&quot;</span>\n"
      "<span style=\"color:#0000FF;font-weight:bold\">e\uFFFD[31m b\uFFFD c\uFFFD t\tz</span>\n"
      "</pre>\n</section>\n</main>\n</body>\n</html>\n");
}

// The web-site line's address is a link, the rest of the line escaped; a graph's own text
// naming the same address stays text.
TEST(HtmlWriter, WebSiteLineAloneIsALink) {
  ReportView view;
  view.AppendWebSiteLine("Visitez <mon> site https://mivalto.example.org");
  view.Append("https://mivalto.example.org");
  const ReportDocument document{.file = "/graphes/a.grf", .complete = false, .view = &view};
  const std::string page = Written(WriteHtml, std::span(&document, 1));
  EXPECT_NE(page.find("<h2>a.grf (analyse arrêtée avant la fin)</h2>"), std::string::npos) << page;
  EXPECT_NE(page.find(">Visitez &lt;mon&gt; site <a href=\"https://mivalto.example.org\">"
                      "https://mivalto.example.org</a></span>\n<span style=\"color:#000000\">"
                      "https://mivalto.example.org</span>"),
            std::string::npos)
      << page;
}

// JSON keeps the texts exactly, control characters included: it escapes them itself.
TEST(WriterGolden, JsonReadsBackAsTheReport) {
  const nlohmann::json expected = {
      {"file", "/graphs/mygraph.grf"},
      {"complete", true},
      {"lines",
       {{{"text", "MYGRAPH.GRF"}, {"color", "#808000"}, {"bold", true}},
        {{"text", "modifié le 1"}, {"color", "#000000"}, {"bold", false}},
        {{"text", ""}, {"color", "#000000"}, {"bold", false}},
        {{"text", "DMO \U0001F600 x"}, {"color", "#008000"}, {"bold", false}},
        {{"text", "C:\\{d}\\a<b>&\"q\""}, {"color", "#800080"}, {"bold", false}},
        {{"text", "e\x1b[31m b\x07 c\xC2\x9B t\tz"}, {"color", "#0000FF"}, {"bold", true}}}}};
  const std::string written = WrittenSample(WriteJson);
  EXPECT_EQ(nlohmann::json::parse(written), expected);
  EXPECT_EQ(written.find('\x1b'), std::string::npos) << "raw ESC in the JSON text";
  EXPECT_EQ(written.rfind("{\n  \"file\": ", 0), 0u) << "keys out of order:\n" << written;
}

// The streaming writer lays out and escapes exactly as nlohmann's dump(2) with replace did, so
// that scripts see the same bytes: the whole sample report, then texts one by one.
TEST(JsonWriter, WritesTheBytesNlohmannWrote) {
  const ReportView view = SampleReport();
  nlohmann::ordered_json lines = nlohmann::ordered_json::array();
  for (const ReportLine& line : view.Lines()) {
    lines.push_back({{"text", line.text}, {"color", ColorHex(line.color)}, {"bold", line.bold}});
  }
  const nlohmann::ordered_json document = {
      {"file", "/graphs/mygraph.grf"}, {"complete", true}, {"lines", lines}};
  const auto dump = [](const nlohmann::ordered_json& json) {
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  };
  EXPECT_EQ(WrittenSample(WriteJson), dump(document) + "\n");
  EXPECT_EQ(Written(WriteJson, {}), "[]\n");

  const char* texts[] = {
      "plain", "\"q\" \\ /", "\b\f\n\r\t\x01\x1F\x7F", "\xC2\x80\xC2\x9B \U0001F600 é",
      "\xFF", "a\x80" "b", "\xC0\xAF", "\xC2", "\xE2\x82", "\xE2\x82" "A", "\xE0\x80\x80",
      "\xE0\xA0\x80", "\xED\xA0\x80", "\xED\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xF0\x9F\x98",
      "\xF4\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80", "\xE2\x82\xE2\x82\xAC"};
  for (const char* text : texts) {
    std::string written;
    AppendJsonString(text, written);
    EXPECT_EQ(written, dump(text)) << ::testing::PrintToString(std::string(text));
  }
}

TEST(JsonWriter, InvalidUtf8BecomesReplacementCharacter) {
  ReportView view;
  view.Append(
      "a\xFF"
      "b\xC3");
  const ReportDocument document{.file = "/x\xFE.grf",
                                .complete = false,
                                .view = &view,
                                .graph = nullptr,
                                .stop_reason = "arr\xEAt"};
  const nlohmann::json read = nlohmann::json::parse(Written(WriteJson, std::span(&document, 1)));
  EXPECT_EQ(read["file"], "/x\uFFFD.grf");
  EXPECT_EQ(read["lines"][0]["text"], "a\uFFFDb\uFFFD");
  EXPECT_EQ(read["complete"], false);
  EXPECT_EQ(read["stop_reason"], "arr\uFFFDt");
}

// Several reports in one output: how each format puts them together.
class SeveralReports : public ::testing::Test {
 protected:
  ReportView first_ = OneLine("un", kGreen);
  ReportView second_ = OneLine("deux", kBlue);
  std::vector<ReportDocument> documents_ = {{"/a/un.grf", true, &first_, nullptr, {}},
                                            {"/b/deux.grf", false, &second_, nullptr, "fin"}};

  static ReportView OneLine(const char* text, Color color) {
    ReportView view;
    view.SetColor(color);
    view.Append(text);
    return view;
  }
};

TEST_F(SeveralReports, TextAndAnsiPutAnEmptyLineBetween) {
  EXPECT_EQ(Written(WriteText, documents_), "un\n\ndeux\n");
  EXPECT_EQ(Written(WriteAnsi, documents_), "\x1b[32mun\x1b[0m\n\n\x1b[34mdeux\x1b[0m\n");
}

TEST_F(SeveralReports, JsonIsAnArrayInOrder) {
  const nlohmann::json read = nlohmann::json::parse(Written(WriteJson, documents_));
  ASSERT_TRUE(read.is_array());
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0]["file"], "/a/un.grf");
  EXPECT_EQ(read[1]["complete"], false);
  EXPECT_EQ(read[1]["lines"][0]["color"], "#0000FF");
  EXPECT_EQ(nlohmann::json::parse(Written(WriteJson, {})), nlohmann::json::array());
}

TEST_F(SeveralReports, HtmlIsOnePageWithASectionEach) {
  const std::string page = Written(WriteHtml, documents_);
  EXPECT_NE(page.find("<title>un.grf, deux.grf</title>"), std::string::npos) << page;
  const std::size_t first =
      page.find("<section>\n<h2>un.grf</h2>\n<pre>\n<span style=\"color:#008000\">un</span>");
  const std::size_t second = page.find(
      "<section>\n<h2>deux.grf (analyse arrêtée avant la fin)</h2>\n<pre>\n"
      "<span style=\"color:#0000FF\">deux</span>");
  EXPECT_LT(first, second) << page;
  EXPECT_NE(second, std::string::npos) << page;
  EXPECT_EQ(page.find("<!DOCTYPE", 1), std::string::npos) << page;
}

// A "\\" belongs to the name where it is no separator.
TEST(HtmlTitle, ShowsTheFileNameOfThisOs) {
  const ReportView view;
  const ReportDocument document{"C:\\dossier\\dans\\nom.grf", true, &view};
#ifdef _WIN32
  const std::string title = "<title>nom.grf</title>";
#else
  const std::string title = "<title>C:\\dossier\\dans\\nom.grf</title>";
#endif
  EXPECT_NE(Written(WriteHtml, std::span(&document, 1)).find(title), std::string::npos);
}

TEST_F(SeveralReports, RtfIsOneDocumentWithAnEmptyParagraphBetween) {
  const std::string rtf = Written(WriteRtf, documents_);
  EXPECT_NE(rtf.find("{\\colortbl;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}"),
            std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("\\cf1\\b0 un\\par\n\\par\n\\cf2\\b0 deux\\par\n}\n"), std::string::npos)
      << rtf;
  EXPECT_EQ(rtf.find("\\rtf1", 6), std::string::npos) << rtf;
}

}  // namespace
}  // namespace mivalto
