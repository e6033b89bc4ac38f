// A module's exports by name, each with the type it was added with.
#include "platform/modules.h"

namespace platform {

ExportTable& ExportTable::AddAddress(std::string name, FARPROC address,
                                     const std::type_info& type) {
  exports_.insert_or_assign(std::move(name), Export{address, &type});
  return *this;
}

const ExportTable::Export* ExportTable::Find(std::string_view name) const {
  auto found = exports_.find(name);
  return found == exports_.end() ? nullptr : &found->second;
}

}  // namespace platform
