// The window's five commands, declared once: each action's command id, button and its place,
// caption and hint texts, shortcut and image. The buttons, the context menu, the keyboard
// shortcuts and the window's state per action are all built from this table.
#pragma once

#include <array>
#include <string>

#include <windows.h>

#include "ui/commands.h"
#include "ui/layout.h"
#include "ui/resource_ids.h"

namespace mivalto::ui {

// What a hint's "%s" placeholders are filled with.
enum class HintValues { kNone, kCurrentFileName, kProductAndAuthor, kProduct };

struct ActionDef {
  int id;           // ID_AC_*: menu item and shortcut command
  int button_id;    // IDC_*: the button of the main window that runs it
  DesignRect button_place;
  UINT caption_id;  // string table entries
  UINT hint_id;
  HintValues hint_values;
  BYTE modifiers;  // FCONTROL, FALT or 0
  WORD key;        // virtual key
  int image;       // index in the image list
  bool enabled_at_start;
  void (*execute)(MainWindow&);
};

// The five actions, in no particular order. Ctrl+F opens (not Ctrl+O), as the program
// always had it.
inline constexpr auto kActions = std::to_array<ActionDef>({
    {ID_AC_OUVRIR, IDC_OUVRIR_BTN, {20, 49, 92, 37}, IDS_OUVRIR_CAPTION, IDS_OUVRIR_HINT,
     HintValues::kNone, FCONTROL, 'F', 3, true, acOuvrirExecute},
    {ID_AC_SAUVER, IDC_SAVE_BTN, {138, 49, 92, 37}, IDS_SAUVER_CAPTION, IDS_SAUVER_HINT,
     HintValues::kCurrentFileName, FCONTROL, 'S', 0, false, acSauverExecute},
    {ID_AC_PASTE, IDC_PASTE_BTN, {256, 49, 92, 37}, IDS_PASTE_CAPTION, IDS_PASTE_HINT,
     HintValues::kNone, FCONTROL, 'V', 1, true, acPasteExecute},
    {ID_AC_APROPOS, IDC_APROPOS_BTN, {610, 49, 103, 37}, IDS_APROPOS_CAPTION, IDS_APROPOS_HINT,
     HintValues::kProductAndAuthor, 0, VK_F1, 2, true, acAproposExecute},
    {ID_AC_QUITTER, IDC_CLOSE_BTN, {738, 49, 93, 37}, IDS_QUITTER_CAPTION, IDS_QUITTER_HINT,
     HintValues::kProduct, FALT, VK_F4, 4, true, acQuitterExecute},
});
inline constexpr std::size_t kActionCount = kActions.size();

// Something kept per action, in the table's order.
template <typename T>
using PerAction = std::array<T, kActionCount>;

// ImageList1 holds one picture per action, in index order: 0 save, 1 paste, 2 about, 3 open,
// 4 quit.
inline constexpr PerAction<UINT> kImageBitmaps{IDB_SAVE, IDB_PASTE, IDB_ABOUT, IDB_OPEN, IDB_QUIT};
inline constexpr int kGlyphSize = 25;

// The action of a command id or of a button id; nullptr for anything else.
const ActionDef* FindAction(int command_or_button_id);
// The place in the table of the action with this command id; throws std::out_of_range for an
// id that names no action.
std::size_t ActionIndex(int action_id);
// The action of a command id, checked the same way.
inline const ActionDef& ActionOf(int action_id) { return kActions[ActionIndex(action_id)]; }

// The context menu's items, in order; 0 is the separator.
inline constexpr std::array<int, 6> kPopupMenuItems{ID_AC_OUVRIR,  ID_AC_PASTE,  ID_AC_SAUVER, 0,
                                                    ID_AC_APROPOS, ID_AC_QUITTER};

// "Ctrl+F", "Alt+F4", "F1": the shortcut as the menu shows it.
std::wstring ShortcutText(BYTE modifiers, WORD key);

// The hint with its placeholders filled in.
std::wstring ActionHint(const ActionDef& action, const std::wstring& current_file_name);

// The accelerator table of the five shortcuts; the caller destroys it.
HACCEL CreateActionAccelerators();

}  // namespace mivalto::ui
