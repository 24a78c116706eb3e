// The window's five commands, declared once: each action's command id, button, caption and
// hint texts, shortcut and image. The buttons, the context menu and the keyboard shortcuts
// are all built from this table.
#pragma once

#include <array>
#include <span>
#include <string>

#include <windows.h>

#include "ui/resource_ids.h"

namespace mivalto::ui {

class MainWindow;

// What a hint's "%s" placeholders are filled with.
enum class HintValues { kNone, kCurrentFileName, kProductAndAuthor, kProduct };

struct ActionDef {
  int id;           // ID_AC_*: menu item and shortcut command
  int button_id;    // IDC_*: the button of the main window that runs it
  UINT caption_id;  // string table entries
  UINT hint_id;
  HintValues hint_values;
  BYTE modifiers;  // FCONTROL, FALT or 0
  WORD key;        // virtual key
  int image;       // index in the image list
  bool enabled_at_start;
  void (*execute)(MainWindow&);
};

// ImageList1's pictures, in index order: 0 save, 1 paste, 2 about, 3 open, 4 quit.
inline constexpr std::array<UINT, 5> kImageBitmaps{IDB_SAVE, IDB_PASTE, IDB_ABOUT, IDB_OPEN,
                                                   IDB_QUIT};
inline constexpr int kGlyphSize = 25;

// The five actions, in no particular order.
std::span<const ActionDef> Actions();
// The action of a command id or of a button id; nullptr for anything else.
const ActionDef* FindAction(int command_or_button_id);

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
