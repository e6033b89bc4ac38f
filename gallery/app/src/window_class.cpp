#include "window_class.h"

namespace gallery {

void RegisterWindowClass(const char* name, platform::WindowProcedure procedure,
                         platform::HINSTANCE instance, int background_stock_brush,
                         platform::UINT style) {
  platform::WNDCLASS window_class;
  window_class.style = style;
  window_class.lpfnWndProc = std::move(procedure);
  window_class.hInstance = instance;
  window_class.hbrBackground =
      static_cast<platform::HBRUSH>(platform::GetStockObject(background_stock_brush));
  window_class.lpszClassName = name;
  platform::RegisterClass(&window_class);
}

}  // namespace gallery
