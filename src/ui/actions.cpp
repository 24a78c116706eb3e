#include "ui/actions.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/program_texts.h"
#include "platform/wide_text.h"
#include "ui/commands.h"
#include "ui/resource_text.h"

namespace mivalto::ui {
namespace {

// Ctrl+F opens (not Ctrl+O), as the program always had it.
constexpr std::array<ActionDef, 5> kActions{{
    {ID_AC_OUVRIR, IDC_OUVRIR_BTN, IDS_OUVRIR_CAPTION, IDS_OUVRIR_HINT, HintValues::kNone, FCONTROL,
     'F', 3, true, acOuvrirExecute},
    {ID_AC_SAUVER, IDC_SAVE_BTN, IDS_SAUVER_CAPTION, IDS_SAUVER_HINT, HintValues::kCurrentFileName,
     FCONTROL, 'S', 0, false, acSauverExecute},
    {ID_AC_PASTE, IDC_PASTE_BTN, IDS_PASTE_CAPTION, IDS_PASTE_HINT, HintValues::kNone, FCONTROL,
     'V', 1, true, acPasteExecute},
    {ID_AC_APROPOS, IDC_APROPOS_BTN, IDS_APROPOS_CAPTION, IDS_APROPOS_HINT,
     HintValues::kProductAndAuthor, 0, VK_F1, 2, true, acAproposExecute},
    {ID_AC_QUITTER, IDC_CLOSE_BTN, IDS_QUITTER_CAPTION, IDS_QUITTER_HINT, HintValues::kProduct,
     FALT, VK_F4, 4, true, acQuitterExecute},
}};

struct ModifierName {
  BYTE flag;
  std::wstring_view text;
};
constexpr std::array<ModifierName, 3> kModifierNames{{
    {FSHIFT, L"Shift+"},
    {FCONTROL, L"Ctrl+"},
    {FALT, L"Alt+"},
}};

std::wstring KeyName(WORD key) {
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  return std::wstring(1, static_cast<wchar_t>(key));  // letters and digits are their own code
}

}  // namespace

std::span<const ActionDef> Actions() { return kActions; }

const ActionDef* FindAction(int command_or_button_id) {
  const auto found = std::find_if(kActions.begin(), kActions.end(), [&](const ActionDef& a) {
    return a.id == command_or_button_id || a.button_id == command_or_button_id;
  });
  return found == kActions.end() ? nullptr : &*found;
}

std::wstring ShortcutText(BYTE modifiers, WORD key) {
  std::wstring text;
  for (const ModifierName& name : kModifierNames) {
    if (modifiers & name.flag) text += name.text;
  }
  return text + KeyName(key);
}

std::wstring ActionHint(const ActionDef& action, const std::wstring& current_file_name) {
  const std::wstring pattern = ResourceText(action.hint_id);
  const std::wstring product = Utf8ToWide(texts::kProductName);
  const std::wstring author = Utf8ToWide(texts::kAuthor);
  switch (action.hint_values) {
    case HintValues::kCurrentFileName:
      return FormatText(pattern, {current_file_name});
    case HintValues::kProductAndAuthor:
      return FormatText(pattern, {product, author});
    case HintValues::kProduct:
      return FormatText(pattern, {product});
    case HintValues::kNone:
      break;
  }
  return pattern;
}

HACCEL CreateActionAccelerators() {
  std::vector<ACCEL> table;
  for (const ActionDef& action : kActions) {
    table.push_back(
        {static_cast<BYTE>(FVIRTKEY | action.modifiers), action.key, static_cast<WORD>(action.id)});
  }
  return CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

}  // namespace mivalto::ui
