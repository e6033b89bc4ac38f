// "QXPrintUI.dll": the printer chooser, which offers the one printer "PDF",
// and the box that tells how a job went.
#include <cstring>
#include <string>

#include "engine_modules.h"
#include "platform/message_box.h"
#include "programs/print_engines.h"
#include "qx_print_jobs.h"

namespace platform::programs {

namespace {

constexpr char kCaption[] = "Print";

BOOL QXPrintDlg(int, char* printer_name, HWND owner, DWORD* result) {
  if (result) *result = 0;
  if (!printer_name) return FALSE;
  printer_name[0] = '\0';
  const std::string text = "Printer: " + std::string(kPdfPrinterName) +
                           "\n\nThe page is saved as a PDF file in \"" +
                           std::string(kPrintedFolder) + "\".";
  if (MessageBox(owner, text, kCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return TRUE;
  static_assert(sizeof kPdfPrinterName <= kPrinterNameLength);
  std::memcpy(printer_name, kPdfPrinterName, sizeof kPdfPrinterName);
  return TRUE;
}

BOOL QXPrintProgressMsgBox(DWORD job, HWND owner) {
  const std::optional<PrintOutcome> outcome =
      Handheld::Current().GetService<QxPrintJobs>().Find(job);
  if (!outcome) return FALSE;
  if (outcome->printed) {
    MessageBox(owner, "Printed to \"" + outcome->document + "\".", kCaption,
               MB_OK | MB_ICONINFORMATION);
  } else {
    MessageBox(owner, "The picture was not printed. " + outcome->error, kCaption,
               MB_OK | MB_ICONERROR);
  }
  return TRUE;
}

}  // namespace

ModuleDefinition QxPrintUiModule() {
  ModuleDefinition module;
  module.exports.Add(kQxPrintDlgExport, &QXPrintDlg).Add(kQxProgressExport, &QXPrintProgressMsgBox);
  return module;
}

}  // namespace platform::programs
