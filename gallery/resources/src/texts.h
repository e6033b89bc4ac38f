// The texts of one language of the resource library, for building that
// language's menu and dialogs.
#pragma once

#include <string>

#include "platform/resources.h"

namespace gallery {

class Texts {
 public:
  Texts(const platform::ModuleResources& resources, platform::LANGID language)
      : resources_(resources), language_(language) {}
  platform::LANGID language() const { return language_; }
  // The text of `id` in this language; empty when it has none.
  std::string operator()(platform::UINT id) const {
    platform::DWORD error = 0;
    const std::string* text =
        resources_.FindString(id, platform::LanguageChoice{language_, true}, &error);
    return text ? *text : std::string();
  }

 private:
  const platform::ModuleResources& resources_;
  platform::LANGID language_;
};

platform::MenuTemplate BrowserMenu(const Texts& text);
platform::MenuTemplate FolderChooserMenu();
platform::DialogTemplate AboutDialog(const Texts& text);
platform::DialogTemplate GeneralPage(const Texts& text);
platform::DialogTemplate FilePage(const Texts& text);
platform::DialogTemplate SlideshowPage(const Texts& text);
platform::DialogTemplate AudioPage(const Texts& text);
platform::MenuTemplate ZoomViewMenu();
platform::DialogTemplate RenamePage(const Texts& text);

}  // namespace gallery
