// The handheld's print engines, modules loaded by name. Either engine
// prints one picture (any the imaging library reads: JPEG, BMP, PNG, ...)
// fitted on an A4 page into a PDF file in "\My Documents\Printed\", named
// after the picture. A picture that cannot be printed gives a message box
// and no file.
//
// Paths and printer names are UTF-8 here, as everywhere on this platform.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/handheld.h"
#include "platform/types.h"
#include "platform/window.h"

namespace platform::programs {

inline constexpr std::string_view kPrintedFolder = "\\My Documents\\Printed";

// ---- "mprint.dll" ----------------------------------------------------------
inline constexpr std::string_view kMprintPath = "\\Windows\\mprint.dll";
// The job function is the static member mPrint::PrintJob(const wide string)
// returning bool, exported under its compiler-decorated name (wide
// characters being unsigned short for that compiler).
inline constexpr char kPrintJobExport[] = "?PrintJob@mPrint@@SA_NPBG@Z";
// True when the page was printed.
using PrintJobFunction = bool(const char* path);

// ---- "QXPrintEngine.dll" and "QXPrintUI.dll" -------------------------------
inline constexpr std::string_view kQxPrintEnginePath = "\\Windows\\QXPrintEngine.dll";
inline constexpr std::string_view kQxPrintUiPath = "\\Windows\\QXPrintUI.dll";

inline constexpr char kQxInitializeExport[] = "QXInitializePrintEngine";
inline constexpr char kQxUnInitializeExport[] = "QXUnInitializePrintEngine";
inline constexpr char kQxPrintDocExport[] = "QXPrintDoc";
inline constexpr char kQxPrintDlgExport[] = "QXPrintDlg";
inline constexpr char kQxProgressExport[] = "QXPrintProgressMsgBox";

// The engine counts its users: each successful initialise needs one
// uninitialise. Nonzero on success.
using QXInitializePrintEngineFunction = BOOL();
using QXUnInitializePrintEngineFunction = BOOL();

// The printer chooser: fills `printer_name` (kPrinterNameLength characters,
// zero-terminated) with the printer chosen, or leaves it empty when the
// user cancels. `flags` and *result are kept for the caller; *result is 0.
inline constexpr std::size_t kPrinterNameLength = 90;
inline constexpr char kPdfPrinterName[] = "PDF";
using QXPrintDlgFunction = BOOL(int flags, char* printer_name, HWND owner, DWORD* result);

// What to print: a document record, zero but for its first three fields.
// Kind kDocumentPictureFile prints the picture file at `path`.
inline constexpr DWORD kDocumentPictureFile = 3;
struct QXPrintDocument {
  DWORD kind = 0;
  DWORD reserved = 0;
  const char* path = nullptr;
  BYTE unused[64] = {};
};

// Prints the document on the named printer; nonzero with the job's number
// in *job when the page was printed. Needs an initialised engine.
using QXPrintDocFunction = BOOL(int copies, const char* printer_name, int flags,
                                const QXPrintDocument* document, DWORD* job);
// A short box telling how the job went and where its page is.
using QXPrintProgressMsgBoxFunction = BOOL(DWORD job, HWND owner);

// Which engine modules the handheld has.
enum class PrintEngine { kNone, kMprint, kQx };

// Builds the chosen engine's modules into the handheld and puts their
// files in "\Windows\". False when one cannot be.
bool InstallPrintEngines(Handheld& handheld, PrintEngine engine);

}  // namespace platform::programs
