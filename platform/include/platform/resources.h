// Resources of a module, found by id and language: string tables, bitmaps,
// icons, WAVE sounds, menus and dialog templates.
//
// Bitmaps and icons are kept as their encoded files (PNG) and sounds as
// WAVE files; turning them into pictures and sound is the job of the window
// system and the audio service. Menus and dialog templates are plain
// structures that the window system builds windows from.
//
// The emulator fills a ModuleResources from code or from a component's
// resources folder (LoadResourceFolder) and registers it with the module.
#pragma once

#include <compare>
#include <concepts>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/modules.h"
#include "platform/types.h"
#include "platform/window.h"

namespace platform {

// Language ids: primary language in the low 10 bits, sublanguage above.
using LANGID = WORD;
inline constexpr LANGID LANG_NEUTRAL = 0x0000;
inline constexpr LANGID kLanguageEnglishUs = 0x0409;
constexpr LANGID MAKELANGID(WORD primary, WORD sublanguage) {
  return static_cast<LANGID>((sublanguage << 10) | primary);
}
constexpr WORD PRIMARYLANGID(LANGID language) { return language & 0x3FF; }
constexpr WORD SUBLANGID(LANGID language) { return language >> 10; }

inline constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
inline constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
inline constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
inline constexpr DWORD ERROR_RESOURCE_LANG_NOT_FOUND = 1815;

// A resource's id: a number (101) or a name ("SNAP", compared without
// regard to case).
class ResourceId {
 public:
  // Implicit, so that lookups take 101 or "SNAP" as the platform's do.
  template <std::integral T>
  ResourceId(T number) : number_(static_cast<UINT>(number)) {}
  ResourceId(const char* name) : ResourceId(std::string_view(name)) {}
  ResourceId(std::string_view name);

  bool is_number() const { return name_.empty(); }
  UINT number() const { return number_; }
  // The name as folded for comparison; empty for a number.
  const std::string& name() const { return name_; }
  std::string ToString() const;

  friend std::strong_ordering operator<=>(const ResourceId&, const ResourceId&) = default;
  friend bool operator==(const ResourceId&, const ResourceId&) = default;

 private:
  // Names sort after numbers because a name is never empty.
  std::string name_;
  UINT number_ = 0;
};

// Resources kept as their encoded files.
enum class ResourceType {
  kBitmap,  // PNG
  kIcon,    // PNG
  kWave,    // RIFF WAVE
};

struct BinaryResource {
  std::vector<BYTE> data;
  // The host file it was read from; empty when it was made in code.
  std::filesystem::path source;
};

// A menu: a bar or a pop-up's items, each a command or a sub-menu.
struct MenuItemTemplate {
  std::string text;  // "&Delete"; empty for a separator
  UINT id = 0;       // command id; 0 for a separator or a sub-menu
  bool separator = false;
  bool grayed = false;
  bool checked = false;
  std::vector<MenuItemTemplate> items;  // a sub-menu's items
  // On a menu bar, a command item with an image shows as that image of the
  // bar's toolbar bitmap; -1: as its text.
  int image = -1;
};

struct MenuTemplate {
  std::vector<MenuItemTemplate> items;
};

// A dialog and its controls, in dialog units as on the platform. Styles are
// the window system's style bits.
struct DialogItemTemplate {
  std::string window_class;  // "BUTTON", "STATIC", "EDIT", "LISTBOX", ...
  std::string text;
  UINT id = 0;
  DWORD style = 0;
  DWORD ex_style = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

// A visible child control for a template made in code.
inline DialogItemTemplate DialogChild(std::string window_class, std::string text, int id,
                                      DWORD style, int x, int y, int cx, int cy) {
  DialogItemTemplate item;
  item.window_class = std::move(window_class);
  item.text = std::move(text);
  item.id = static_cast<UINT>(id);
  item.style = style | WS_CHILD | WS_VISIBLE;
  item.x = x;
  item.y = y;
  item.cx = cx;
  item.cy = cy;
  return item;
}

struct DialogTemplate {
  std::string caption;
  DWORD style = 0;
  DWORD ex_style = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  std::string font_face;  // empty: the system font
  int font_size = 0;      // points
  std::vector<DialogItemTemplate> items;
};

// Which language a lookup takes.
struct LanguageChoice {
  LANGID language = kLanguageEnglishUs;
  // Only that language; otherwise the closest there is: the language
  // itself, another of its primary language, neutral, English (United
  // States), and then any.
  bool exact = false;
};

// One module's resources. Filled before the module is registered and not
// changed afterwards, so lookups need no lock.
class ModuleResources {
 public:
  // Adding replaces what is there under the same id and language.
  void AddString(LANGID language, UINT id, std::string text);
  void AddBinary(ResourceType type, ResourceId id, BinaryResource resource,
                 LANGID language = LANG_NEUTRAL);
  void AddMenu(ResourceId id, MenuTemplate menu, LANGID language = LANG_NEUTRAL);
  void AddDialog(ResourceId id, DialogTemplate dialog, LANGID language = LANG_NEUTRAL);

  // Null when there is none, with ERROR_RESOURCE_NAME_NOT_FOUND (no such
  // id) or ERROR_RESOURCE_LANG_NOT_FOUND (not in the exact language) in
  // *error.
  const std::string* FindString(UINT id, LanguageChoice choice, DWORD* error) const;
  const BinaryResource* FindBinary(ResourceType type, const ResourceId& id, LanguageChoice choice,
                                   DWORD* error) const;
  const MenuTemplate* FindMenu(const ResourceId& id, LanguageChoice choice, DWORD* error) const;
  const DialogTemplate* FindDialog(const ResourceId& id, LanguageChoice choice, DWORD* error) const;

  // The languages a string id exists in.
  std::vector<LANGID> StringLanguages(UINT id) const;

 private:
  template <typename T>
  using ByLanguage = std::map<LANGID, T>;
  template <typename T>
  using Table = std::map<ResourceId, ByLanguage<T>>;

  std::map<UINT, ByLanguage<std::string>> strings_;
  std::map<ResourceType, Table<BinaryResource>> binaries_;
  Table<MenuTemplate> menus_;
  Table<DialogTemplate> dialogs_;
};

// String tables as UTF-8 text: a section per language, then one string a
// line as its id and its quoted text; '#' starts a comment line.
//   [0x0409]
//   50001 "Quillon Mobile Camera"
//   50099 " is saved!"
// Inside the quotes \" \\ \n \r and \t are escapes. False with a message
// naming the line when the text is malformed; nothing is added then.
bool ParseStringTable(std::string_view text, ModuleResources* resources, std::string* error);

// Reads a component's resources folder into *resources:
//   strings/*.txt   string tables (ParseStringTable)
//   bitmaps/*.png   bitmaps
//   icons/*.png     icons
//   sounds/*.wav    WAVE sounds
// A file's name without its extension is its id: a decimal number, or else
// a name ("SNAP.wav"). Other entries of the folder are left alone. False
// with a message when a file cannot be read or does not fit.
bool LoadResourceFolder(const std::filesystem::path& folder, ModuleResources* resources,
                        std::string* error);

// The platform calls, on the modules of the current handheld. The module
// must be loaded (ERROR_INVALID_HANDLE otherwise).
//
// Without a language a lookup takes the handheld's language (that of its
// locale) or the closest there is (LanguageChoice); with one, exactly that.

// The string into *text (emptied when there is none); returns its length in
// UTF-16 units, or 0 with the last error set when there is none.
int LoadString(HINSTANCE instance, UINT id, std::string* text);
int LoadString(HINSTANCE instance, UINT id, LANGID language, std::string* text);

// The resource, which stays valid as long as the pointer is held; null with
// the last error set when there is none.
std::shared_ptr<const BinaryResource> FindResource(HMODULE module, const ResourceId& id,
                                                   ResourceType type);
std::shared_ptr<const BinaryResource> FindResource(HMODULE module, const ResourceId& id,
                                                   ResourceType type, LANGID language);
std::shared_ptr<const MenuTemplate> FindMenuTemplate(HMODULE module, const ResourceId& id);
std::shared_ptr<const DialogTemplate> FindDialogTemplate(HMODULE module, const ResourceId& id);

// The language lookups without one prefer: the handheld locale's language.
LANGID GetUserDefaultUILanguage();

}  // namespace platform
