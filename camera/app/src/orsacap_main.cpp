#include "camera/app/orsacap.h"
#include "camera/settings/settings_store.h"
#include "camera/strings/string_library.h"
#include "camera_dialog.h"

namespace camera {

int OrsacapMain(platform::HINSTANCE instance, const std::string&) {
  CCameraDlg dialog(instance, LoadSettings());
  const platform::INT_PTR result = dialog.DoModal();
  UnloadStringLibrary();
  return static_cast<int>(result);
}

}  // namespace camera
