// Real graph files saved by other people's programs: every one is read to its end, and its
// filter, pin and clock lines say what the file holds.
#include <span>

#include <gtest/gtest.h>

#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"
#include "support/test_files.h"

namespace mivalto {
namespace {

struct CorpusFile {
  const char* name;
  std::vector<std::pair<std::string, Color>> filters;
  std::vector<std::string> pins;
  std::string clock_title;
  std::string clock;
};

const std::string kVmr =
    ": Video Mixing Renderer (DX8) {B87BEB7B-8D29-423F-AE4D-6582C10175AC}  <416 octets de données binaires >";
const std::string kColourSpace = "\"Color Space Converter\"  {1643E180-90F5-11CE-97D5-00AA0055595A}  ";
const std::string kSound = "{79376820-07D0-11CF-A24D-0020AFD79767}  <40 octets de données binaires >";
const std::string kDeng = "\"H:\\project\\computer\\VCProjects\\Videofeaturetracking\\deng.avi\"";
const std::string kPassat = "\"C:\\Users\\devetude\\Desktop\\passat.mpg\"";

const CorpusFile kCorpus[] = {
    {"Lenart12__FlipCam__test.grf",
     {{"0001  \"FlipCam\"  {F89EB97B-2A47-49B5-A1B1-5E530517CDF6}  ", kBlack},
      {"0002  " + kColourSpace, kBlack},
      {"0003  \"Video Renderer\"  " + kVmr, kBlack}},
     {"\"FlipCam\"  \"1\"   => \"Color Space Converter\"  \"In\"",
      "\"Color Space Converter\"  \"Out\"   => \"Video Renderer\"  \"VMR Input0\""},
     "CLOCK   (Requis)", "System Clock"},
    {"cutepig123__videofeaturetracking__deng.avi.grf",
     {{"0001  " + kDeng + "  {E436EBB5-524F-11CE-9F53-0020AF0BA770}  SOURCE  " + kDeng + "  ", kBlack},
      {"0002  \"AVI Splitter\"  {1B544C20-FD0B-11CE-8C63-00AA0044B51E}  ", kBlack},
      {"0003  \"ffdshow MPEG-4 Video Decoder\"  {04FE9017-F873-410E-871E-AB91661A4EF7}  ", kBlack},
      {"0004  \"RGB Filter\"  {8B498501-1218-11CF-ADC4-00A0D100041B}  ", kBlack},
      {"0005  " + kColourSpace, kBlack},
      {"0006  \"Video Renderer\"  " + kVmr, kBlack}},
     {kDeng + "  \"Output\"   => \"AVI Splitter\"  \"input pin\"",
      "\"AVI Splitter\"  \"Stream 00\"   => \"ffdshow MPEG-4 Video Decoder\"  \"In\"",
      "\"ffdshow MPEG-4 Video Decoder\"  \"Out\"   => \"RGB Filter\"  \"In\"",
      "\"RGB Filter\"  \"Out\"   => \"Color Space Converter\"  \"In\"",
      "\"Color Space Converter\"  \"Out\"   => \"Video Renderer\"  \"VMR Input0\""},
     "CLOCK   (Requis)", "System Clock"},
    {"devetude__SimpleMediaPlayer2__MyGraph.grf",
     {{"0001  " + kPassat + "  {E436EBB5-524F-11CE-9F53-0020AF0BA770}  SOURCE  " + kPassat + "  ", kBlack},
      {"0002  \"MPEG-I Stream Splitter\"  {336475D0-942A-11CE-A870-00AA002FEAB5}  ", kBlack},
      {"0003  \"MPEG Video Decoder\"  {FEB50740-7BEF-11CE-9BD9-0000E202599C}  ", kBlack},
      {"0004  \"MPEG Audio Decoder\"  {4A2286E0-7BEF-11CE-9BD9-0000E202599C}  ", kBlack},
      {"0005  \"Video Renderer\"  " + kVmr, kBlack},
      {"0006  \"Default DirectSound Device\"  " + kSound, kBlack}},
     {kPassat + "  \"Output\"   => \"MPEG-I Stream Splitter\"  \"Input\"",
      "\"MPEG-I Stream Splitter\"  \"Video\"   => \"MPEG Video Decoder\"  \"In\"",
      "\"MPEG-I Stream Splitter\"  \"Audio\"   => \"MPEG Audio Decoder\"  \"In\"",
      "\"MPEG Video Decoder\"  \"Out\"   => \"Video Renderer\"  \"VMR Input0\"",
      "\"MPEG Audio Decoder\"  \"Out\"   => \"Default DirectSound Device\"  \"Audio Input pin (rendered)\""},
     "CLOCK   (Requis)", "\"Default DirectSound Device\""},
    {"rdp-org__avisynth-as-directshow-capture__screen-capture-recorder__6a60374.grf",
     {{"0001  \"screen-capture-recorder-pin1\"  {4EA6930A-2C8A-4AE6-A561-56E4B5044439}  ", kBlack}},
     {},
     "CLOCK   (Requis)", "System Clock"},
    {"rdp__screen-capture-recorder-to-video-windows-free__push2__8393e4d.grf",
     {{"0001  \"PushSource Desktop Filter\"  {4EA6930A-2C8A-4AE6-A561-56E4B5044438}  ", kBlack}},
     {},
     "CLOCK   (Requis)", "Aucun"},
    {"rdp__virtual-audio-capture-grabber-device__yo.grf",
     {{"0001  \"Virtual audio sniffer1\"  {8E14549B-DB61-4309-AFA1-3578E927E935}  ", kBlack},
      {"0002  \"Default DirectSound Device\"  " + kSound, kBlack}},
     {"\"Virtual audio sniffer1\"  \"1\"   => \"Default DirectSound Device\"  \"Audio Input pin (rendered)\""},
     "CLOCK   (Requis)", "System Clock"},
    {"warrenseymour__RoxioGameCap__preview.grf",
     {{"0001  \"Roxio GameCAP HD PRO Crossbar\"  {71F96460-78F3-11D0-A18C-00A0C9118956}  "
       "<316 octets de données binaires >", kBlack},
      {"0002  \"Video capture\"  : Proxy {17CCA71B-ECD7-11D0-B908-00A0C9223196} "
       "<292 octets de données binaires >", kPurple},
      {"0003  \"Demuxer\"  {AFB6C280-2C41-11D3-8A60-0000F81E0E4A}  <430 octets de données binaires >", kBlack},
      {"0004  \"Video Decoder\"  {BAB8BB43-ECB1-40CA-B4D6-E2BF07B98574}  ", kBlack},
      {"0005  \"Sample Grabber\"  {C1F400A0-3F08-11D3-9F0B-006008039E37}  ", kBlack},
      {"0006  \"Color Converter Device\"  {E6D268BC-AADD-4DAA-BF74-FB666AD0BFAF}  "
       "<752 octets de données binaires >", kBlack},
      {"0007  \"Audio Decoder\"  {139251BC-2000-4ED3-9D69-3629AE048345}  <128 octets de données binaires >",
       kBlack},
      {"0008  \"VideoRenderer\"  " + kVmr, kBlack},
      {"0009  \"Sound Renderer\"  " + kSound, kBlack}},
     {"\"Roxio GameCAP HD PRO Crossbar\"  \"0: Video Decoder Out\"   => \"Video capture\"  \"0\"",
      "\"Video capture\"  \"4\"   => \"Demuxer\"  \"MPEG-2 Stream\"",
      "\"Demuxer\"  \"Video\"   => \"Video Decoder\"  \"Video in\"",
      "\"Video Decoder\"  \"Video Out\"   => \"Sample Grabber\"  \"In\"",
      "\"Sample Grabber\"  \"Out\"   => \"Color Converter Device\"  \"In\"",
      "\"Demuxer\"  \"Audio\"   => \"Audio Decoder\"  \"In\"",
      "\"Color Converter Device\"  \"Out\"   => \"VideoRenderer\"  \"VMR Input0\"",
      "\"Audio Decoder\"  \"Out\"   => \"Sound Renderer\"  \"Audio Input pin (rendered)\""},
     "CLOCK   (Requis)", "System Clock"},
};

// The report cut into its parts: filter lines, pin lines, clock lines.
struct Sections {
  std::vector<std::pair<std::string, Color>> filters;
  std::vector<std::string> pins;
  std::vector<std::string> tail;  // from the clock title to the end marker
};

constexpr std::size_t kFilterTitleLine = 11;

Sections Split(std::span<const ReportLine> lines) {
  Sections s;
  std::size_t i = kFilterTitleLine + 2;
  for (; i < lines.size() && !lines[i].text.empty(); ++i) s.filters.emplace_back(lines[i].text, lines[i].color);
  i += 4;  // empty, separator, connection title, empty
  while (i < lines.size() && !lines[i].text.empty()) {
    EXPECT_EQ(lines[i].color, kBlack);
    EXPECT_TRUE(lines[i].bold);
    s.pins.emplace_back(lines[i].text);
    while (i < lines.size() && !lines[i].text.empty()) ++i;
    ++i;
  }
  for (i += 2; i < lines.size(); ++i) s.tail.emplace_back(lines[i].text);
  return s;
}

class CorpusTest : public ::testing::TestWithParam<CorpusFile> {};

TEST_P(CorpusTest, IsReadToTheEndAndShowsWhatTheFileHolds) {
  const std::optional<std::string> corpus = testing::CorpusDir();
  if (!corpus) GTEST_SKIP() << testing::kNoCorpus;
  const std::string path = *corpus + "/" + GetParam().name;
  ASSERT_TRUE(testing::IsFile(path));
  ReportView view;
  const AnalysisResult result = AnalyseFile(path, path, {}, testing::FixedCalendar(), view);
  ASSERT_TRUE(result.complete) << result.stop_reason;
  const Sections s = Split(view.Lines());
  EXPECT_EQ(s.filters, GetParam().filters);
  EXPECT_EQ(s.pins, GetParam().pins);
  const std::vector<std::string> tail = {GetParam().clock_title, GetParam().clock, "",
                                         std::string(100, '-'), "END"};
  EXPECT_EQ(s.tail, tail);
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusTest, ::testing::ValuesIn(kCorpus),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           name.erase(name.find('.'));
                           std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                           return name;
                         });

}  // namespace
}  // namespace mivalto
