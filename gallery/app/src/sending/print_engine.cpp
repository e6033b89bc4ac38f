// Printing through one of two engines, chosen once at start: "mprint.dll"
// with its one job function, or "QXPrintEngine.dll" with "QXPrintUI.dll"
// and their five calls. The libraries stay loaded until the browser ends.
#include <array>
#include <cctype>
#include <string>

#include "gallery_state.h"
#include "platform/modules.h"
#include "programs/print_engines.h"
#include "sending.h"
#include "sending_start.h"

namespace gallery::sending {

namespace {

using namespace platform;
namespace print = platform::programs;

struct MprintEngine {
  HMODULE module = nullptr;
  print::PrintJobFunction* print_job = nullptr;
};

struct QxEngine {
  HMODULE engine = nullptr;
  HMODULE ui = nullptr;
  print::QXInitializePrintEngineFunction* initialise = nullptr;
  print::QXUnInitializePrintEngineFunction* uninitialise = nullptr;
  print::QXPrintDocFunction* print_doc = nullptr;
  print::QXPrintDlgFunction* print_dialog = nullptr;
  print::QXPrintProgressMsgBoxFunction* progress = nullptr;
};

// The gallery's one engine; only the user-interface thread touches it.
struct PrintEngines {
  MprintEngine mprint;
  QxEngine qx;
};
PrintEngines engines;

bool LoadMprint() {
  MprintEngine& mprint = engines.mprint;
  mprint.module = LoadLibrary("mprint.dll");
  if (!mprint.module) return false;
  mprint.print_job =
      GetProcAddressAs<print::PrintJobFunction>(mprint.module, print::kPrintJobExport);
  if (mprint.print_job) return true;
  FreeLibrary(mprint.module);
  mprint = {};
  return false;
}

bool LoadQx() {
  QxEngine& qx = engines.qx;
  qx.engine = LoadLibrary("QXPrintEngine.dll");
  if (qx.engine) {
    qx.initialise = GetProcAddressAs<print::QXInitializePrintEngineFunction>(
        qx.engine, print::kQxInitializeExport);
    qx.uninitialise = GetProcAddressAs<print::QXUnInitializePrintEngineFunction>(
        qx.engine, print::kQxUnInitializeExport);
    qx.print_doc = GetProcAddressAs<print::QXPrintDocFunction>(qx.engine, print::kQxPrintDocExport);
  }
  qx.ui = LoadLibrary("QXPrintUI.dll");
  if (qx.ui) {
    qx.print_dialog = GetProcAddressAs<print::QXPrintDlgFunction>(qx.ui, print::kQxPrintDlgExport);
    qx.progress =
        GetProcAddressAs<print::QXPrintProgressMsgBoxFunction>(qx.ui, print::kQxProgressExport);
  }
  if (qx.initialise && qx.uninitialise && qx.print_doc && qx.print_dialog && qx.progress) {
    return true;
  }
  if (qx.engine) FreeLibrary(qx.engine);
  if (qx.ui) FreeLibrary(qx.ui);
  qx = {};
  return false;
}

// The pictures the engines print: "jpg", "bmp" and "png", in any case.
bool IsPrintable(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('\\', dot) != std::string::npos) return false;
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == "jpg" || extension == "bmp" || extension == "png";
}

void PrintWithQx(HWND browser, const std::string& path) {
  const QxEngine& qx = engines.qx;
  if (!qx.initialise()) return;
  std::array<char, print::kPrinterNameLength> printer = {};
  DWORD unused = 0;
  qx.print_dialog(1, printer.data(), browser, &unused);
  if (printer[0] != '\0') {
    print::QXPrintDocument document;
    document.kind = print::kDocumentPictureFile;
    document.path = path.c_str();
    DWORD job = 0;
    if (qx.print_doc(1, printer.data(), 1, &document, &job)) qx.progress(job, browser);
  }
  qx.uninitialise();
}

}  // namespace

bool ChoosePrintEngine() {
  ReleasePrintEngine();
  // The two-library engine is never loaded while "mprint.dll" serves.
  if (LoadMprint()) {
    Gallery().print_engine = engines.mprint.module;
    return true;
  }
  if (LoadQx()) {
    Gallery().print_engine = engines.qx.engine;
    return true;
  }
  return false;
}

void ReleasePrintEngine() {
  if (engines.mprint.module) FreeLibrary(engines.mprint.module);
  if (engines.qx.engine) FreeLibrary(engines.qx.engine);
  if (engines.qx.ui) FreeLibrary(engines.qx.ui);
  engines = {};
  Gallery().print_engine = nullptr;
}

bool HasPrintEngine() { return engines.mprint.print_job || engines.qx.initialise; }

void Print(HWND browser, const std::string& path) {
  // Only pictures print; the item is greyed for other files, and a
  // command that still arrives does nothing.
  if (!IsPrintable(path)) return;
  if (engines.mprint.print_job) {
    engines.mprint.print_job(path.c_str());
  } else if (engines.qx.initialise) {
    PrintWithQx(browser, path);
  }
}

}  // namespace gallery::sending
