// The trackbar control ("msctls_trackbar32").
#pragma once

#include "common_controls/event_control.h"
#include "platform/common_controls/trackbar.h"

namespace platform::common_controls {

class Trackbar : public EventControl {
 public:
  Trackbar(HWND hwnd, const CREATESTRUCT& create);

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnStylusDown(POINT point) override;
  void OnStylusMove(POINT point) override;
  void OnStylusUp(POINT) override;
  bool OnKeyDown(UINT key) override;
  void Paint(HDC dc) override;
  LRESULT DialogCode() const override { return 1; }  // the arrow keys

  bool vertical() const { return (Style() & TBS_VERT) != 0; }
  int PageSize() const;
  RECT Channel() const;
  RECT ThumbRect() const;
  // The pixel along the channel for a position, and back.
  int PixelOf(int position) const;
  int PositionAt(POINT point) const;
  // Sets the position (kept in range) and redraws; true when it moved.
  bool Move(int position);
  void Report(WORD code) const;
  void SetRange(int minimum, int maximum, bool redraw);
  // TBM_ messages on the position and range; on page and line sizes and
  // the drawn rectangles. nullopt for other messages.
  std::optional<LRESULT> OnPositionMessage(UINT message, WPARAM wparam, LPARAM lparam);
  std::optional<LRESULT> OnGeometryMessage(UINT message, LPARAM lparam);
  // The stylus let go of the control without a button-up.
  void CancelTracking();

  int min_ = 0;
  int max_ = 100;
  int pos_ = 0;
  int line_size_ = 1;
  int page_size_ = -1;  // -1: a fifth of the range
  bool tracking_ = false;
  bool paging_ = false;
  int grip_ = 0;  // stylus minus the thumb's centre when a drag began
};

}  // namespace platform::common_controls
