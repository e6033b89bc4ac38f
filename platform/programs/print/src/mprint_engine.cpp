// "mprint.dll": one export, the print job, which prints the picture at once
// without asking.
#include <string>

#include "engine_modules.h"
#include "platform/message_box.h"
#include "print_spool.h"
#include "programs/print_engines.h"

namespace platform::programs {

namespace {

bool PrintJob(const char* path) {
  const PrintOutcome outcome = PrintPicture(path ? path : "");
  if (!outcome.printed) {
    MessageBox(nullptr, "The picture was not printed. " + outcome.error, "Print",
               MB_OK | MB_ICONERROR);
  }
  return outcome.printed;
}

}  // namespace

ModuleDefinition MprintModule() {
  ModuleDefinition module;
  module.exports.Add(kPrintJobExport, &PrintJob);
  return module;
}

}  // namespace platform::programs
