// The slideshow's window and state. Four screen-sized surfaces play the
// roles shown, next and previous (decoded ahead) and old (the picture
// being replaced, the transition's source); moving by one rotates the
// roles instead of copying pixels, and only the surface whose must-load
// flag is set is decoded again. A fifth surface holds what the screen
// shows, the transitions' canvas.
#include "slideshow/slideshow_window.h"

#include <memory>
#include <mutex>
#include <random>
#include <utility>
#include <vector>

#include "file_list_access.h"
#include "gallery/app/orsagal.h"
#include "gallery/file_types/voice_note.h"
#include "gallery/transitions/transition.h"
#include "gallery_state.h"
#include "media_calls.h"
#include "platform/controls/buttons.h"
#include "platform/cursor.h"
#include "platform/image_list.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "platform/shell_services.h"
#include "platform/shell_state.h"
#include "platform/sound.h"
#include "platform/time.h"
#include "platform/window_paint.h"
#include "slideshow/slide_buttons.h"
#include "slideshow/slide_caption.h"
#include "slideshow/slide_loader.h"
#include "slideshow/slide_surface.h"
#include "view/external_display.h"
#include "window_class.h"

namespace gallery {
namespace {

using namespace platform;

constexpr UINT_PTR kAdvanceTimer = 1;
constexpr UINT_PTR kButtonsTimer = 2;
constexpr UINT kButtonsShownMs = 2000;
// The button images' background, where the slide shows through.
constexpr COLORREF kButtonTransparent = RGB(0, 0, 0);
constexpr int kDirectionUp = 0;
constexpr int kDirectionDown = 1;
constexpr int kDirectionBack = 2;
constexpr int kDirectionForward = 3;
constexpr int kButtonIds[] = {kButtonPause, kButtonPrevious, kButtonNext, kButtonClose,
                              kButtonPlay};

class Slideshow {
 public:
  explicit Slideshow(HWND browser)
      : browser_(browser), random_(static_cast<std::mt19937::result_type>(GetTickCount())) {}
  ~Slideshow() { ReleaseImageLists(); }
  Slideshow(const Slideshow&) = delete;
  Slideshow& operator=(const Slideshow&) = delete;

  bool Start(const std::string& path);
  LRESULT Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  const SlideshowOptions& options() const { return Gallery().options.slideshow; }
  bool timed() const { return options().advance_mode != kAdvanceManual; }
  bool random_mode() const { return options().advance_mode == kAdvanceRandom; }
  bool sequential() const { return !random_mode(); }
  int Random(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

  void OnCreate(HWND window);
  void ShowSlide();
  void DrawSlide();
  void Present(const RECT& rect);
  void PlayVoiceNote(const std::string& path);
  void DecodeAhead();
  void Load(int index, SlideSurface& surface);

  bool MoveNext();
  bool MovePrevious();
  void RandomStep();
  // The picture being replaced when a move loads the shown surface again.
  void KeepOldPicture();
  void Move(bool forward, int direction);

  void ShowButtons();
  void HideButtons();
  void StartAdvanceTimer();
  void OnTimer(UINT_PTR timer);
  void OnCommand(int id);
  void OnKey(UINT key);
  void OnDrawButton(const DRAWITEMSTRUCT& item);
  void PlayClip();
  void Close();
  void ReleaseImageLists();

  HWND browser_;
  HWND window_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int shown_index_ = 0;
  int direction_ = transitions::kAnyDirection;
  imaging::ImageInfo info_;
  bool paused_ = false;
  int random_next_ = 0;
  int last_effect_ = -1;
  std::mt19937 random_;

  std::vector<std::unique_ptr<SlideSurface>> surfaces_;
  std::unique_ptr<SlideSurface> spare_;
  std::unique_ptr<SlideSurface> screen_;
  SlideSurface* shown_ = nullptr;
  SlideSurface* next_ = nullptr;
  SlideSurface* previous_ = nullptr;
  SlideSurface* old_ = nullptr;
  bool load_shown_ = false;
  bool load_next_ = false;
  bool load_previous_ = false;

  // Its own, apart from the browser's (which is closed while the show runs).
  ExternalDisplay display_;

  ButtonLayout layout_{};
  HIMAGELIST button_images_ = nullptr;
  HIMAGELIST play_images_ = nullptr;
};

std::unique_ptr<Slideshow>& Running() {
  static std::unique_ptr<Slideshow> running;
  return running;
}

LRESULT SlideshowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!Running()) return DefWindowProc(window, message, wparam, lparam);
  const LRESULT result = Running()->Handle(window, message, wparam, lparam);
  // The surfaces and image lists go with the window.
  if (message == WM_DESTROY) Running().reset();
  return result;
}

// Start -------------------------------------------------------------------

bool Slideshow::Start(const std::string& path) {
  if (path.empty() || EntryCount() == 0) return false;
  const HCURSOR cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  width_ = GetSystemMetrics(SM_CXSCREEN);
  height_ = GetSystemMetrics(SM_CYSCREEN);
  auto make = [&]() -> SlideSurface* {
    std::unique_ptr<SlideSurface> surface = SlideSurface::Create(width_, height_);
    if (!surface) return nullptr;
    surfaces_.push_back(std::move(surface));
    return surfaces_.back().get();
  };
  shown_ = make();
  screen_ = SlideSurface::Create(width_, height_);
  if (!shown_ || !screen_) {
    SetCursor(cursor);
    SHShowOutOfMemory(browser_, 0);
    return false;
  }
  load_shown_ = true;
  next_ = make();
  load_next_ = next_ != nullptr;
  if (sequential() && next_) {
    previous_ = make();
    load_previous_ = previous_ != nullptr;
  }
  spare_ = SlideSurface::Create(width_, height_);
  shown_index_ = std::max(0, FindEntry(path));

  RegisterWindowClass(kSlideshowClass, SlideshowProcedure, Gallery().instance, BLACK_BRUSH);
  const HWND window = CreateWindowEx(WS_EX_NODRAG, kSlideshowClass, "", WS_POPUP, 0, 0, width_,
                                     height_, browser_, nullptr, Gallery().instance, nullptr);
  if (!window) {
    SetCursor(cursor);
    return false;
  }
  ShowWindow(window, SW_SHOW);
  SetFocus(window);
  ShowSlide();
  SetCursor(cursor);
  return true;
}

void Slideshow::OnCreate(HWND window) {
  window_ = window;
  layout_ = LayoutButtons(options(), width_, height_);
  button_images_ = ImageList_LoadBitmap(Gallery().instance, layout_.bitmap, kSlideButtonSize, 0,
                                        kButtonTransparent);
  play_images_ = ImageList_LoadBitmap(Gallery().instance, kBitmapPlayButton, kSlideButtonSize, 0,
                                      kButtonTransparent);
  for (int i = 0; i < 5; ++i)
    CreateWindowEx(0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW, layout_.places[i].x,
                   layout_.places[i].y, kSlideButtonSize, kSlideButtonSize, window,
                   reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kButtonIds[i])),
                   Gallery().instance, nullptr);
  StartAdvanceTimer();
  if (Gallery().options.general.external_display) display_.Open();
}

void Slideshow::StartAdvanceTimer() {
  if (timed()) SetTimer(window_, kAdvanceTimer, options().interval_seconds * 1000u, nullptr);
}

// Showing ------------------------------------------------------------------

void Slideshow::ShowSlide() {
  HideButtons();
  ShowWindow(GetDlgItem(window_, kButtonPlay), SW_HIDE);
  const std::string path = EntryPath(shown_index_);
  display_.Mirror(path);
  if (load_shown_) {
    Load(shown_index_, *shown_);
    load_shown_ = false;
  }
  DrawSlide();
  if (options().play_voice_notes) PlayVoiceNote(path);
  bool displayable;
  {
    std::lock_guard lock(MediaLock());
    displayable = !path.empty() && Plugin().Displays(path);
  }
  if (displayable) ShowWindow(GetDlgItem(window_, kButtonPlay), SW_SHOW);
  DecodeAhead();
}

void Slideshow::DrawSlide() {
  if (options().transitions_on && old_ && old_ != shown_) {
    const transitions::Random random = [this](int bound) { return Random(bound); };
    last_effect_ =
        transitions::ChooseEffect(static_cast<int>(options().transition), last_effect_, random);
    auto transition = transitions::MakeTransition(last_effect_, direction_, old_->picture(),
                                                  shown_->picture(), random);
    transitions::Play(*transition, screen_->picture(), [this](const RECT& rect) { Present(rect); });
  }
  old_ = nullptr;
  screen_->CopyFrom(*shown_);
  CaptionFile file;
  const std::string path = EntryPath(shown_index_);
  if ((options().show_file_name || options().show_file_info) && ReadCaptionFile(path, &file)) {
    SYSTEMTIME date = file.local_time;
    const std::string short_date =
        FormatDate(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date).value_or("");
    DrawCaption(
        screen_->dc(),
        CaptionText(file, short_date, info_, options().show_file_name, options().show_file_info),
        width_, height_);
  }
  Present({0, 0, width_, height_});
}

void Slideshow::Present(const RECT& rect) {
  const HDC dc = GetDC(window_);
  BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, screen_->dc(),
         rect.left, rect.top, SRCCOPY);
  ReleaseDC(window_, dc);
}

void Slideshow::PlayVoiceNote(const std::string& path) {
  if (!path.empty() && HasVoiceNote(path))
    PlaySound(VoiceNotePath(path), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT);
  else
    PlaySound("", nullptr, 0);
}

void Slideshow::Load(int index, SlideSurface& surface) {
  LoadSlide(EntryPath(index), options(), surface, &info_);
}

void Slideshow::DecodeAhead() {
  const int count = EntryCount();
  if (random_mode()) {
    if (next_ && load_next_) {
      random_next_ = 0;
      if (count >= 2) {
        random_next_ = Random(count - 1);
        if (random_next_ >= shown_index_) ++random_next_;
      }
      imaging::ImageInfo shown_info = info_;
      Load(random_next_, *next_);
      info_ = shown_info;
      load_next_ = false;
    }
    return;
  }
  const imaging::ImageInfo shown_info = info_;
  if (previous_ && load_previous_ && count > 0) {
    const int before = shown_index_ > 0 ? shown_index_ - 1 : (options().loop ? count - 1 : -1);
    if (before >= 0) {
      Load(before, *previous_);
      load_previous_ = false;
    }
  }
  if (next_ && load_next_ && count > 0) {
    const int after = shown_index_ + 1 < count ? shown_index_ + 1 : (options().loop ? 0 : -1);
    if (after >= 0) {
      Load(after, *next_);
      load_next_ = false;
    }
  }
  info_ = shown_info;
}

// Moving -------------------------------------------------------------------

void Slideshow::KeepOldPicture() {
  if (!spare_) return;
  spare_->CopyFrom(*shown_);
  old_ = spare_.get();
}

bool Slideshow::MoveNext() {
  const int count = EntryCount();
  if (count == 0) return false;
  if (shown_index_ + 1 < count) {
    ++shown_index_;
  } else {
    if (!options().loop) return false;
    shown_index_ = 0;
  }
  if (random_mode()) {
    KeepOldPicture();
    load_shown_ = true;
  } else if (previous_) {
    old_ = shown_;
    SlideSurface* former_previous = previous_;
    previous_ = shown_;
    shown_ = next_;
    next_ = former_previous;
    if (load_next_) load_shown_ = true;  // the next one was never decoded
    load_next_ = true;
  } else if (next_) {
    std::swap(shown_, next_);
    old_ = next_;
    if (load_next_) load_shown_ = true;
    load_next_ = true;
  } else {
    KeepOldPicture();
    load_shown_ = true;
  }
  ShowSlide();
  return true;
}

bool Slideshow::MovePrevious() {
  const int count = EntryCount();
  if (count == 0) return false;
  if (shown_index_ > 0) {
    shown_index_ = std::min(shown_index_, count) - 1;
  } else {
    if (!options().loop) return false;
    shown_index_ = count - 1;
  }
  if (sequential() && previous_) {
    old_ = shown_;
    SlideSurface* former_next = next_;
    next_ = shown_;
    shown_ = previous_;
    previous_ = former_next;
    if (load_previous_) load_shown_ = true;
    load_previous_ = true;
  } else {
    if (sequential() && next_) {
      std::swap(shown_, next_);
      old_ = next_;
    } else {
      KeepOldPicture();
    }
    load_shown_ = true;
  }
  ShowSlide();
  return true;
}

void Slideshow::RandomStep() {
  const int count = EntryCount();
  if (next_) {
    shown_index_ = random_next_;
    old_ = shown_;
    std::swap(shown_, next_);
    if (load_next_) load_shown_ = true;
    load_next_ = true;
  } else {
    shown_index_ = count >= 2 ? (shown_index_ + 1 + Random(count - 1)) % count : 0;
    KeepOldPicture();
    load_shown_ = true;
  }
  ShowSlide();
}

void Slideshow::Move(bool forward, int direction) {
  direction_ = direction;
  if (!(forward ? MoveNext() : MovePrevious())) MessageBeep(MB_ICONINFORMATION);
}

// Input --------------------------------------------------------------------

void Slideshow::ShowButtons() {
  for (int id : {kButtonPause, kButtonPrevious, kButtonNext, kButtonClose}) {
    if (id == kButtonPause && !timed()) continue;
    ShowWindow(GetDlgItem(window_, id), SW_SHOW);
    InvalidateRect(GetDlgItem(window_, id), nullptr, FALSE);
  }
  SetTimer(window_, kButtonsTimer, kButtonsShownMs, nullptr);
  if (timed()) KillTimer(window_, kAdvanceTimer);
}

void Slideshow::HideButtons() {
  for (int id : {kButtonPause, kButtonPrevious, kButtonNext, kButtonClose})
    ShowWindow(GetDlgItem(window_, id), SW_HIDE);
}

void Slideshow::OnTimer(UINT_PTR timer) {
  if (timer == kButtonsTimer) {
    HideButtons();
    KillTimer(window_, kButtonsTimer);
    if (timed() && !paused_) StartAdvanceTimer();
    return;
  }
  if (timer != kAdvanceTimer) return;
  const bool rotate = options().rotate_to_fit != 0;
  const int turn = static_cast<int>(options().rotate_direction);
  switch (options().advance_mode) {
    case kAdvanceForward:
      Move(true, rotate ? turn : kDirectionForward);
      break;
    case kAdvanceBackward:
      Move(false, rotate ? 1 - turn : kDirectionBack);
      break;
    case kAdvanceRandom:
      direction_ = transitions::kAnyDirection;
      RandomStep();
      break;
    default:
      break;
  }
}

void Slideshow::OnCommand(int id) {
  const bool rotate = options().rotate_to_fit != 0;
  const int turn = static_cast<int>(options().rotate_direction);
  switch (id) {
    case kButtonPause:
      SetTimer(window_, kButtonsTimer, kButtonsShownMs, nullptr);
      if (!paused_) KillTimer(window_, kAdvanceTimer);
      paused_ = !paused_;
      InvalidateRect(GetDlgItem(window_, kButtonPause), nullptr, FALSE);
      break;
    case kButtonPrevious:
      Move(false, rotate ? 1 - turn : kDirectionBack);
      ShowButtons();
      break;
    case kButtonNext:
      Move(true, rotate ? turn : kDirectionForward);
      ShowButtons();
      break;
    case kButtonClose:
    case 1:
      Close();
      break;
    case kButtonPlay:
      PlayClip();
      break;
    default:
      break;
  }
}

void Slideshow::OnKey(UINT key) {
  const bool turned_up = options().rotate_to_fit && options().rotate_direction == 0;
  switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_SPACE:
      Close();
      break;
    case VK_LEFT:
      Move(false, kDirectionBack);
      break;
    case VK_RIGHT:
      Move(true, kDirectionForward);
      break;
    case VK_UP:
      Move(turned_up, kDirectionUp);
      break;
    case VK_DOWN:
      Move(!turned_up, kDirectionDown);
      break;
    default:
      break;
  }
}

void Slideshow::OnDrawButton(const DRAWITEMSTRUCT& item) {
  const int id = static_cast<int>(item.CtlID);
  const int index = id - kButtonPause;
  if (index < 0 || index >= 5) return;
  const POINT place = layout_.places[index];
  BitBlt(item.hDC, 0, 0, kSlideButtonSize, kSlideButtonSize, shown_->dc(), place.x, place.y,
         SRCCOPY);
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const HIMAGELIST images = id == kButtonPlay ? play_images_ : button_images_;
  if (images) ImageList_Draw(images, ButtonImage(id, paused_, layout_, pressed), item.hDC, 0, 0, 0);
}

void Slideshow::PlayClip() {
  if (timed()) KillTimer(window_, kAdvanceTimer);
  SHFullScreen(window_, SHFS_SHOWTASKBAR);
  // Without the media lock: the player's loop serves the browser too,
  // whose pane takes it (see ViewFile).
  Plugin().Display(EntryPath(shown_index_));
  SHFullScreen(window_, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON);
  if (timed() && !paused_) StartAdvanceTimer();
}

void Slideshow::Close() {
  KillTimer(window_, kAdvanceTimer);
  KillTimer(window_, kButtonsTimer);
  PlaySound("", nullptr, 0);
  display_.Close();
  FollowExternalDisplayOption();
  SendMessage(browser_, kMessageMakeCurrent, static_cast<WPARAM>(shown_index_), 0);
  SHFullScreen(window_, SHFS_SHOWTASKBAR);
  DestroyWindow(window_);
}

void Slideshow::ReleaseImageLists() {
  if (button_images_) ImageList_Destroy(std::exchange(button_images_, nullptr));
  if (play_images_) ImageList_Destroy(std::exchange(play_images_, nullptr));
}

LRESULT Slideshow::Handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE)
        SHFullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      BitBlt(dc, 0, 0, width_, height_, screen_->dc(), 0, 0, SRCCOPY);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      ShowButtons();
      return 0;
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wparam));
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return 0;
    case WM_KEYDOWN:
      OnKey(static_cast<UINT>(wparam));
      return 0;
    case WM_DRAWITEM:
      OnDrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case kMessageShownIndex:
      return shown_index_;
    case kMessageMoveDirection:
      return direction_;
    default:
      return DefWindowProc(window, message, wparam, lparam);
  }
}

}  // namespace

bool StartSlideshow(HWND browser, const std::string& path) {
  if (Running()) return false;
  Running() = std::make_unique<Slideshow>(browser);
  if (Running()->Start(path)) return true;
  Running().reset();
  return false;
}

}  // namespace gallery
