#include "camera/strings/string_library.h"

namespace camera {

StringLibraryStatus StringLibrary::Open(int language_index) {
  Close();
  language_index_ = language_index;
  module_ = platform::LoadLibrary(localization::kModulePath);
  if (!module_) return StringLibraryStatus::kLibraryMissing;
  get_str_ = platform::GetProcAddressAs<localization::GetStrFunction>(module_,
                                                                      localization::kGetStrExport);
  if (!get_str_) {
    Close();
    return StringLibraryStatus::kExportMissing;
  }
  return StringLibraryStatus::kLoaded;
}

void StringLibrary::Close() {
  get_str_ = nullptr;
  text_.clear();
  if (module_) platform::FreeLibrary(module_);
  module_ = nullptr;
}

void StringLibrary::Abandon() {
  get_str_ = nullptr;
  module_ = nullptr;
  text_.clear();
}

const std::string& StringLibrary::Lookup(platform::UINT base_id) {
  if (get_str_) {
    get_str_(language_index_, base_id, &text_);
  } else {
    text_.clear();
  }
  return text_;
}

}  // namespace camera
