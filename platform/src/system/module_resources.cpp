// A module's resources by id and language.

#include "platform/paths.h"
#include "platform/resources.h"

namespace platform {

namespace {

// The variant of a resource that a lookup takes (see LanguageChoice).
template <typename T>
const T* Choose(const std::map<LANGID, T>& variants, LanguageChoice choice, DWORD* error) {
  if (auto exact = variants.find(choice.language); exact != variants.end()) return &exact->second;
  if (choice.exact || variants.empty()) {
    *error = ERROR_RESOURCE_LANG_NOT_FOUND;
    return nullptr;
  }
  for (const auto& [language, value] : variants) {
    if (PRIMARYLANGID(language) == PRIMARYLANGID(choice.language)) return &value;
  }
  for (LANGID fallback : {LANG_NEUTRAL, kLanguageEnglishUs}) {
    if (auto found = variants.find(fallback); found != variants.end()) return &found->second;
  }
  return &variants.begin()->second;
}

template <typename Key, typename T>
const T* Lookup(const std::map<Key, std::map<LANGID, T>>& table, const Key& id,
                LanguageChoice choice, DWORD* error) {
  auto found = table.find(id);
  if (found == table.end()) {
    *error = ERROR_RESOURCE_NAME_NOT_FOUND;
    return nullptr;
  }
  return Choose(found->second, choice, error);
}

}  // namespace

ResourceId::ResourceId(std::string_view name) : name_(FoldCase(name)) {}

std::string ResourceId::ToString() const { return is_number() ? std::to_string(number_) : name_; }

void ModuleResources::AddString(LANGID language, UINT id, std::string text) {
  strings_[id].insert_or_assign(language, std::move(text));
}

void ModuleResources::AddBinary(ResourceType type, ResourceId id, BinaryResource resource,
                                LANGID language) {
  binaries_[type][std::move(id)].insert_or_assign(language, std::move(resource));
}

void ModuleResources::AddMenu(ResourceId id, MenuTemplate menu, LANGID language) {
  menus_[std::move(id)].insert_or_assign(language, std::move(menu));
}

void ModuleResources::AddDialog(ResourceId id, DialogTemplate dialog, LANGID language) {
  dialogs_[std::move(id)].insert_or_assign(language, std::move(dialog));
}

const std::string* ModuleResources::FindString(UINT id, LanguageChoice choice, DWORD* error) const {
  return Lookup(strings_, id, choice, error);
}

const BinaryResource* ModuleResources::FindBinary(ResourceType type, const ResourceId& id,
                                                  LanguageChoice choice, DWORD* error) const {
  auto table = binaries_.find(type);
  if (table == binaries_.end()) {
    *error = ERROR_RESOURCE_TYPE_NOT_FOUND;
    return nullptr;
  }
  return Lookup(table->second, id, choice, error);
}

const MenuTemplate* ModuleResources::FindMenu(const ResourceId& id, LanguageChoice choice,
                                              DWORD* error) const {
  return Lookup(menus_, id, choice, error);
}

const DialogTemplate* ModuleResources::FindDialog(const ResourceId& id, LanguageChoice choice,
                                                  DWORD* error) const {
  return Lookup(dialogs_, id, choice, error);
}

std::vector<LANGID> ModuleResources::StringLanguages(UINT id) const {
  std::vector<LANGID> languages;
  if (auto found = strings_.find(id); found != strings_.end()) {
    for (const auto& entry : found->second) languages.push_back(entry.first);
  }
  return languages;
}

}  // namespace platform
