// The window's helpers on their own: texts and placeholders, the proposed save name, link
// addresses, the action table and shortcuts, the resize rule, the JPEG decoder.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <vector>

#include "ui/actions.h"
#include "ui/jpeg_picture.h"
#include "ui/layout.h"
#include "ui/report_file.h"
#include "ui/resource_ids.h"
#include "ui/resource_text.h"
#include "ui/ui_services.h"
#include "ui/url_label.h"

namespace mivalto::testing {
namespace {

TEST(FormatText, FillsPlaceholdersInOrderWithoutRescanningValues) {
  struct Row {
    std::wstring_view pattern;
    std::initializer_list<std::wstring_view> values;
    std::wstring_view expected;
  };
  const Row rows[] = {
      {L"Quitter %s", {L"Mivalto"}, L"Quitter Mivalto"},
      {L"%s et %s", {L"a", L"b"}, L"a et b"},
      {L"de %s", {L"C:\\100%s\\x.grf"}, L"de C:\\100%s\\x.grf"},
      {L"100%% %s", {L"b"}, L"100% b"},
      {L"%s et %s", {L"seul"}, L"seul et %s"},
      {L"fin %", {}, L"fin %"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ui::FormatText(row.pattern, row.values), row.expected) << std::wstring(row.pattern);
}

TEST(DialogFilter, BarsBecomeNulsEndedByTwo) {
  EXPECT_EQ(ui::DialogFilter(L"A (*.a)|*.a"), std::wstring(L"A (*.a)\0*.a\0", 12));
}

TEST(ResourceText, StringTableIsFrenchUtf8) {
  EXPECT_EQ(ui::ResourceText(IDS_ABOUT_MAIL_HINT), L"Envoyer un mail \u00e0 %s");
  EXPECT_EQ(ui::ResourceText(IDS_CANNOT_CREATE_FILE), L"Cannot create file \"%s\". %s");
  EXPECT_EQ(ui::ResourceText(1), L"") << "no such entry";
}

TEST(ProgramResources, VersionIs220AndTheManifestBringsCommonControls6) {
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::vector<std::uint8_t> version(GetFileVersionInfoSizeW(module, nullptr));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(GetFileVersionInfoW(module, 0, static_cast<DWORD>(version.size()), version.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00020002u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);

  // The common controls that this program's own calls reach come from the side-by-side
  // assembly the manifest asks for, not from the system folder.
  HMODULE common_controls = nullptr;
  ASSERT_TRUE(GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&ImageList_Create)), &common_controls));
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(common_controls, path, MAX_PATH);
  CharLowerW(path);
  EXPECT_THAT(std::wstring(path), ::testing::HasSubstr(L"\\winsxs\\"));
  EXPECT_THAT(std::wstring(path), ::testing::HasSubstr(L"common-controls_6595b64144ccf1df_6.0"));
}

TEST(ProposedSaveName, ReplacesOrAppendsTheExtension) {
  struct Row {
    const wchar_t* graph;
    const wchar_t* proposed;
  };
  const Row rows[] = {
      {L"C:\\graphes\\capture.grf", L"C:\\graphes\\capture.log"},
      {L"C:\\graphes\\capture", L"C:\\graphes\\capture.log"},
      {L"C:\\dossier.v2\\capture", L"C:\\dossier.v2\\capture.log"},
      {L"C:\\graphes\\a.b.grf", L"C:\\graphes\\a.b.log"},
      {L"D:capture.grf", L"D:capture.log"},
      {L"C:/graphes.v2/capture", L"C:/graphes.v2/capture.log"},
      {L"\\\\serveur\\partage\\.grf", L"\\\\serveur\\partage\\.log"},
      {L"", L".log"},
  };
  for (const Row& row : rows) EXPECT_EQ(ui::ProposedSaveName(row.graph), row.proposed) << row.graph;
}

// Under "Tous fichiers" the name decides, as the command line's -o does.
TEST(SavedFormat, OnlyUnderTheWindowsExtensionsInAnyCase) {
  const std::pair<const wchar_t*, const char*> rows[] = {
      {L"C:\\a\\page.html", "html"},  {L"C:\\a\\PAGE.Htm", "html"},
      {L"C:\\a\\r.JSON", "json"},     {L"C:\\a\\page.html.log", nullptr},
      {L"C:\\a.html\\page", nullptr}, {L"C:\\a\\page.xhtml", nullptr},
      {L"C:\\a\\html", nullptr},      {L"C:\\a\\r.txt", nullptr},
      {L"C:\\a\\g.grf", nullptr},
  };
  for (const auto& [path, name] : rows) {
    const OutputFormat* format = ui::SavedFormat(ui::SaveFilter(), 5, path);
    EXPECT_EQ(format ? format->name : std::string_view("RTF"), name ? name : "RTF") << path;
  }
}

TEST(SystemErrorText, HasNoFinalPeriodOrLineBreak) {
  const std::wstring text = ui::SystemErrorText(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'.');
  EXPECT_GT(text.back(), L' ');
}

TEST(ErrorBoxText, EndsWithAPeriodOnce) {
  EXPECT_EQ(ui::ErrorBoxText(L"Invalid argument to date encode"),
            L"Invalid argument to date encode.");
  EXPECT_EQ(ui::ErrorBoxText(L"Deja fini."), L"Deja fini.");
  EXPECT_EQ(ui::ErrorBoxText(L""), L"");
}

TEST(LinkAddress, WebAsItIsMailWithUnescapedSubjectAndBody) {
  EXPECT_EQ(ui::LinkAddress({L"https://a.example", false, L"ignored", L""}), L"https://a.example");
  EXPECT_EQ(ui::LinkAddress({L"x@a.example", true, L"", L""}), L"mailto:x@a.example");
  EXPECT_EQ(ui::LinkAddress({L"x@a.example", true, L"A propos & co", L""}),
            L"mailto:x@a.example?Subject=A propos & co");
  EXPECT_EQ(ui::LinkAddress({L"x@a.example", true, L"S", L"B"}),
            L"mailto:x@a.example?Subject=S&Body=B");
}

TEST(Actions, TableHasFiveActionsWithDistinctIdsButtonsShortcutsAndImages) {
  std::set<int> ids, buttons, images;
  std::set<std::pair<BYTE, WORD>> shortcuts;
  for (const ui::ActionDef& action : ui::kActions) {
    ids.insert(action.id);
    buttons.insert(action.button_id);
    images.insert(action.image);
    shortcuts.insert({action.modifiers, action.key});
    EXPECT_EQ(ui::FindAction(action.id), &action);
    EXPECT_EQ(ui::FindAction(action.button_id), &action);
    EXPECT_EQ(&ui::kActions[ui::ActionIndex(action.id)], &action);
    EXPECT_FALSE(ui::ResourceText(action.caption_id).empty()) << action.id;
    EXPECT_FALSE(ui::ResourceText(action.hint_id).empty()) << action.id;
  }
  EXPECT_EQ(ids.size(), 5u);
  EXPECT_EQ(buttons.size(), 5u);
  EXPECT_EQ(shortcuts.size(), 5u);
  EXPECT_EQ(images, (std::set<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(ui::FindAction(IDC_MEMO1), nullptr);
  EXPECT_THROW(ui::ActionIndex(IDC_OUVRIR_BTN), std::out_of_range) << "a button is no action";
}

TEST(Actions, ShortcutTexts) {
  EXPECT_EQ(ui::ShortcutText(FCONTROL, 'F'), L"Ctrl+F");
  EXPECT_EQ(ui::ShortcutText(FALT, VK_F4), L"Alt+F4");
  EXPECT_EQ(ui::ShortcutText(0, VK_F1), L"F1");
  EXPECT_EQ(ui::ShortcutText(FSHIFT | FCONTROL, 'V'), L"Shift+Ctrl+V");
}

TEST(Actions, AcceleratorTableHoldsTheFiveShortcuts) {
  const HACCEL table = ui::CreateActionAccelerators();
  std::vector<ACCEL> entries(8);
  entries.resize(static_cast<std::size_t>(CopyAcceleratorTableW(table, entries.data(), 8)));
  DestroyAcceleratorTable(table);
  std::set<std::tuple<BYTE, WORD, WORD>> got;
  for (const ACCEL& entry : entries) got.insert({entry.fVirt, entry.key, entry.cmd});
  EXPECT_EQ(got, (std::set<std::tuple<BYTE, WORD, WORD>>{
                     {FVIRTKEY | FCONTROL, 'F', ID_AC_OUVRIR},
                     {FVIRTKEY | FCONTROL, 'S', ID_AC_SAUVER},
                     {FVIRTKEY | FCONTROL, 'V', ID_AC_PASTE},
                     {FVIRTKEY, VK_F1, ID_AC_APROPOS},
                     {FVIRTKEY | FALT, VK_F4, ID_AC_QUITTER},
                 }));
}

TEST(FormResizePlaces, MarginsInPixelsAndNeverNegativeSizes) {
  const ui::ResizedPlaces normal = ui::FormResizePlaces({855, 574}, 871, 95);
  EXPECT_EQ(normal.memo_width, 835);
  EXPECT_EQ(normal.memo_height, 459);
  EXPECT_EQ(normal.close_left, 759);
  EXPECT_EQ(normal.apropos_left, 655);
  const ui::ResizedPlaces tiny = ui::FormResizePlaces({10, 50}, 26, 95);
  EXPECT_EQ(tiny.memo_width, 0);
  EXPECT_EQ(tiny.memo_height, 0);
}

TEST(DpiScale, DesignUnitsAreAt120DotsPerInch) {
  EXPECT_EQ(ui::DpiScale{120}(871), 871);
  EXPECT_EQ(ui::DpiScale{96}(95), 76);
  EXPECT_EQ(ui::DpiScale{240}(37), 74);
}

TEST(JpegPicture, TheAboutPictureDecodesAt548By372) {
  const std::span<const std::uint8_t> bytes =
      ui::ResourceBytes(IDR_ABOUT_PICTURE, MAKEINTRESOURCEW(RT_JPEG_PICTURE));
  ui::DecodedPicture picture;
  ASSERT_TRUE(ui::DecodeJpeg(bytes, picture));
  EXPECT_EQ(picture.width, 548);
  EXPECT_EQ(picture.height, 372);
  EXPECT_EQ(picture.bgr_rows.size(), 548u * 3 * 372);
  EXPECT_NE(ui::PictureBitmap(picture), nullptr);
}

TEST(JpegPicture, DamagedBytesAreRefusedWithoutEndingTheProgram) {
  const std::span<const std::uint8_t> bytes =
      ui::ResourceBytes(IDR_ABOUT_PICTURE, MAKEINTRESOURCEW(RT_JPEG_PICTURE));
  const std::vector<std::uint8_t> whole(bytes.begin(), bytes.end());
  std::vector<std::uint8_t> wrong_marker = whole;
  wrong_marker[1] = 0x00;
  std::vector<std::uint8_t> huge = whole;  // the first frame header claims 65535 x 65535
  for (std::size_t i = 0; i + 8 < huge.size(); ++i) {
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = huge[i + 6] = huge[i + 7] = huge[i + 8] = 0xFF;
      break;
    }
  }
  const std::vector<std::vector<std::uint8_t>> damaged{
      {},
      {0xFF, 0xD8},
      std::vector<std::uint8_t>(whole.begin(), whole.begin() + 20),
      std::vector<std::uint8_t>(100, 0xFE),
      wrong_marker,
      huge};
  for (const auto& input : damaged) {
    ui::DecodedPicture picture;
    EXPECT_FALSE(ui::DecodeJpeg(input, picture)) << input.size() << " bytes";
  }
}

}  // namespace
}  // namespace mivalto::testing
