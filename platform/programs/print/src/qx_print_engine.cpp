// "QXPrintEngine.dll": initialise, print a document on a named printer,
// uninitialise. Its only printer is "PDF".
#include <cstring>

#include "engine_modules.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "programs/print_engines.h"
#include "qx_print_jobs.h"

namespace platform::programs {

namespace {

QxPrintJobs& Jobs() { return Handheld::Current().GetService<QxPrintJobs>(); }

BOOL QXInitializePrintEngine() {
  Jobs().Initialize();
  return TRUE;
}

BOOL QXUnInitializePrintEngine() { return Jobs().UnInitialize() ? TRUE : FALSE; }

BOOL QXPrintDoc(int, const char* printer_name, int, const QXPrintDocument* document, DWORD* job) {
  if (!Jobs().Initialized() || !document || !job) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *job = 0;
  PrintOutcome outcome;
  if (!printer_name || std::strcmp(printer_name, kPdfPrinterName) != 0) {
    outcome.error = "There is no such printer.";
  } else if (document->kind != kDocumentPictureFile || !document->path) {
    outcome.error = "This kind of document cannot be printed.";
  } else {
    outcome = PrintPicture(document->path);
  }
  const bool printed = outcome.printed;
  if (!printed) {
    MessageBox(nullptr, "The picture was not printed. " + outcome.error, "Print",
               MB_OK | MB_ICONERROR);
  }
  *job = Jobs().Record(std::move(outcome));
  return printed ? TRUE : FALSE;
}

}  // namespace

ModuleDefinition QxPrintEngineModule() {
  ModuleDefinition module;
  module.exports.Add(kQxInitializeExport, &QXInitializePrintEngine)
      .Add(kQxUnInitializeExport, &QXUnInitializePrintEngine)
      .Add(kQxPrintDocExport, &QXPrintDoc);
  return module;
}

}  // namespace platform::programs
