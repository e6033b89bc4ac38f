// Reaching the open file behind a FileHandle from the operations.
#pragma once

#include <memory>

#include "files/open_files.h"
#include "platform/files.h"

namespace platform::files_internal {

struct HandleAccess {
  static OpenFile* Get(const FileHandle& handle) { return handle.file_.get(); }
  static FileHandle Make(std::unique_ptr<OpenFile> file) { return FileHandle(std::move(file)); }
};

}  // namespace platform::files_internal
