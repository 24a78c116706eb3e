#include "ui/actions.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "base/program_texts.h"
#include "platform/wide_text.h"
#include "ui/commands.h"
#include "ui/resource_text.h"

namespace mivalto::ui {
namespace {

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

const ActionDef* FindAction(int command_or_button_id) {
  const auto found = std::find_if(kActions.begin(), kActions.end(), [&](const ActionDef& a) {
    return a.id == command_or_button_id || a.button_id == command_or_button_id;
  });
  return found == kActions.end() ? nullptr : &*found;
}

std::size_t ActionIndex(int action_id) {
  const auto found = std::find_if(kActions.begin(), kActions.end(),
                                  [&](const ActionDef& a) { return a.id == action_id; });
  if (found == kActions.end())
    throw std::out_of_range("no action has the command id " + std::to_string(action_id));
  return static_cast<std::size_t>(found - kActions.begin());
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
