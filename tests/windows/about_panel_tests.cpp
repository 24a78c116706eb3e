// The about panel inside the real main window: width saved and restored, the text rebuilt
// at each opening, the links and the close button.
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ui/resource_ids.h"
#include "ui/url_label.h"
#include "windows/window_fixture.h"

namespace mivalto::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

bool Shown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

int OuterWidth(HWND window) {
  RECT outer;
  GetWindowRect(window, &outer);
  return outer.right - outer.left;
}

void SetOuterWidth(HWND window, int width) {
  RECT outer;
  GetWindowRect(window, &outer);
  SetWindowPos(window, nullptr, 0, 0, width, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

std::size_t Count(const std::wstring& text, const std::wstring& piece) {
  std::size_t count = 0;
  for (auto at = text.find(piece); at != std::wstring::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

using AboutPanelTest = MainWindowTest;

TEST_F(AboutPanelTest, HiddenAtStartAndShownOverTheWindowByTheAboutCommand) {
  const HWND panel = Control(IDC_APROPOS_FRAME1);
  EXPECT_FALSE(Shown(panel));
  Command(ID_AC_APROPOS);
  EXPECT_TRUE(Shown(panel));
  EXPECT_TRUE(Main().ActionChecked(ID_AC_APROPOS));
  EXPECT_EQ(GetMenuState(Main().PopupMenu(), ID_AC_APROPOS, MF_BYCOMMAND) & MF_CHECKED,
            UINT{MF_CHECKED});
  EXPECT_EQ(GetWindow(Window(), GW_CHILD), panel) << "in front of every other control";
  RECT client, panel_area;
  GetClientRect(Window(), &client);
  GetClientRect(panel, &panel_area);
  EXPECT_EQ(client.right, panel_area.right) << "the window is as wide as the panel";
  EXPECT_EQ(PlaceOf(panel).left, 0);
  EXPECT_EQ(PlaceOf(panel).top, 0);
  EXPECT_EQ(Main().About().Title(), L"Mivalto 2.2.0 fr");
}

TEST_F(AboutPanelTest, ClosingRestoresTheWidthFromJustBeforeOpeningEvenAfterAResize) {
  // Each closing way runs the same action: the command (F1, menu, about button) and Fermer.
  for (const bool by_fermer : {false, true}) {
    SCOPED_TRACE(by_fermer ? "closed by Fermer" : "closed by the command");
    SetOuterWidth(Window(), 777);
    Command(ID_AC_APROPOS);
    SetOuterWidth(Window(), 640);  // the person resizes while the panel is open
    if (by_fermer) {
      SendMessageW(AboutControl(IDC_FERMER_BTN), BM_CLICK, 0, 0);
    } else {
      Command(ID_AC_APROPOS);
    }
    EXPECT_FALSE(Shown(Control(IDC_APROPOS_FRAME1)));
    EXPECT_FALSE(Main().ActionChecked(ID_AC_APROPOS));
    EXPECT_EQ(OuterWidth(Window()), 777);
  }
}

TEST_F(AboutPanelTest, ShowsTheSameTextAtEveryOpening) {
  Command(ID_AC_APROPOS);
  const std::wstring first = TextOf(AboutControl(IDC_RX_APROPOS));
  Command(ID_AC_APROPOS);
  Command(ID_AC_APROPOS);
  EXPECT_EQ(TextOf(AboutControl(IDC_RX_APROPOS)), first);
  EXPECT_EQ(Count(first, L"Sa derni\u00e8re mise \u00e0 jour date du 20/05/2016."), 1u) << first;
  EXPECT_THAT(first, HasSubstr(L"Mivalto est un petit outil \u00e9crit par Orvel Danth"));
  EXPECT_THAT(first, HasSubstr(L"Il utilise libjpeg-turbo "));
  EXPECT_THAT(
      first,
      HasSubstr(L"rendez-vous sur mon site web. Par ailleurs un e-mail fait toujours plaisir"));
}

CHARFORMAT2W FormatAt(HWND text, const wchar_t* piece) {
  FINDTEXTEXW find{{0, -1}, piece, {}};
  const auto start = SendMessageW(text, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(&find));
  EXPECT_GE(start, 0) << "no " << piece;
  SendMessageW(text, EM_SETSEL, static_cast<WPARAM>(start), start + 3);
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(text, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return format;
}

TEST_F(AboutPanelTest, FirstBlockInArialItalicTheInvitationInBlueItalic) {
  Command(ID_AC_APROPOS);
  const HWND text = AboutControl(IDC_RX_APROPOS);
  const CHARFORMAT2W first = FormatAt(text, L"Mivalto est");
  EXPECT_STREQ(first.szFaceName, L"Arial");
  EXPECT_EQ(first.dwEffects & (CFE_ITALIC | CFE_BOLD), DWORD{CFE_ITALIC});
  const CHARFORMAT2W invitation = FormatAt(text, L"Pour avoir");
  EXPECT_EQ(invitation.dwEffects & (CFE_ITALIC | CFE_BOLD), DWORD{CFE_ITALIC});
  EXPECT_EQ(invitation.crTextColor, RGB(0, 0, 255))
      << std::hex << "got colour " << invitation.crTextColor;
}

TEST_F(AboutPanelTest, LinksOpenTheWebSiteAndAMailWithTheSubject) {
  Command(ID_AC_APROPOS);
  SendMessageW(AboutControl(IDC_URL_LABEL1), WM_LBUTTONUP, 0, 0);
  SendMessageW(AboutControl(IDC_URL_LABEL2), WM_LBUTTONUP, 0, 0);
  EXPECT_THAT(services_.opened_addresses,
              ElementsAre(L"https://mivalto.example.org",
                          L"mailto:orvel.danth@mivalto.example.org?Subject=A propos de Mivalto "
                          L"2.2.0 fr de Orvel Danth"));
}

TEST_F(AboutPanelTest, CaptionsAndHints) {
  const ui::Hints& hints = Main().About().PanelHints();
  EXPECT_EQ(TextOf(AboutControl(IDC_URL_LABEL1)), L"Homepage de Orvel Danth");
  EXPECT_EQ(hints.Get(AboutControl(IDC_URL_LABEL1)), L"https://mivalto.example.org");
  EXPECT_EQ(TextOf(AboutControl(IDC_URL_LABEL2)), L"e-mail de Orvel Danth");
  EXPECT_EQ(hints.Get(AboutControl(IDC_URL_LABEL2)), L"Envoyer un mail \u00e0 Orvel Danth");
  EXPECT_EQ(TextOf(AboutControl(IDC_FERMER_BTN)), L"Fermer");
  EXPECT_EQ(hints.Get(AboutControl(IDC_FERMER_BTN)),
            L"Quitter la fen\u00eatre \"A propos\" et revenir au programme.");
  EXPECT_EQ(hints.Get(AboutControl(IDC_IMAGE1)), L"Vous aussi, vous voyez des tuyaux partout ?");
}

TEST_F(AboutPanelTest, LinkTurnsUnderlinedUnderTheMouseAndNavyWhenItLeaves) {
  const ui::UrlLabel& link = Main().About().MailLink();
  EXPECT_EQ(link.TextColor(), ui::kLinkColor);
  EXPECT_FALSE(link.Underlined());
  SendMessageW(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(link.TextColor(), ui::kLinkColor);
  EXPECT_TRUE(link.Underlined());
  SendMessageW(link.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(link.TextColor(), RGB(0, 0, 128));
  EXPECT_FALSE(link.Underlined());
}

}  // namespace
}  // namespace mivalto::testing
