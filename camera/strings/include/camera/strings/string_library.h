// The camera application's texts: it has none of its own but takes every
// text by id from the string library "\Windows\Localization.dll" in the
// language chosen at start-up.
#pragma once

#include <string>

#include "localization/get_str.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/types.h"

namespace camera {

enum class StringLibraryStatus {
  kLoaded,
  kLibraryMissing,  // the file is gone or the module is not built in
  kExportMissing,   // the library has no getStr; it is freed again
};

// One loaded string library with its lookup and the one string object every
// lookup fills.
class StringLibrary {
 public:
  StringLibrary() = default;
  ~StringLibrary() { Close(); }
  StringLibrary(const StringLibrary&) = delete;
  StringLibrary& operator=(const StringLibrary&) = delete;

  // Loads the library and its export, replacing what was open before.
  StringLibraryStatus Open(int language_index);
  void Close();
  // Lets go of the library without freeing it: for the handheld's own end,
  // when its modules are already gone.
  void Abandon();
  bool is_open() const { return get_str_ != nullptr; }
  int language_index() const { return language_index_; }

  // The text of a base id (50001..50104) in the chosen language. It stays
  // valid only until the next lookup: copy it before asking for another.
  // Empty when the library has no such text (it says so itself) or is not
  // open.
  const std::string& Lookup(platform::UINT base_id);

 private:
  platform::HMODULE module_ = nullptr;
  localization::GetStrFunction* get_str_ = nullptr;
  int language_index_ = 0;
  std::string text_;
};

// The application-wide string library of the running camera application.
//
// Start-up: the language index from the system default locale, then the
// library. When the library or its export is missing, an English message
// box says so (owned by `owner`) and the result is false: the application
// cannot speak and ends.
bool LoadStringLibrary(platform::HWND owner = nullptr);
// Status of the last LoadStringLibrary, for the caller's exit code.
StringLibraryStatus StringLibraryLoadStatus();
// The kept language index (0 until the library is loaded).
int LanguageIndex();
// StringLibrary::Lookup on the application-wide library.
const std::string& LocalizedText(platform::UINT base_id);
// At the end of the run.
void UnloadStringLibrary();

}  // namespace camera
