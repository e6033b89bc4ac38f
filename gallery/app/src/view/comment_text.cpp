#include "comment_text.h"

#include <algorithm>

#include "platform/code_pages.h"

namespace gallery {

namespace {

using namespace platform;

constexpr int kLargestComment = kCommentBufferSize - 1;

bool IsHighSurrogate(WCHAR unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// The first `count` units, one less when that would split a pair.
int WholeCharacters(const std::u16string& wide, int count) {
  if (count > 0 && count < static_cast<int>(wide.size()) &&
      IsHighSurrogate(wide[static_cast<std::size_t>(count - 1)]))
    return count - 1;
  return count;
}

std::u16string Widen(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(size), u'\0');
  MultiByteToWideChar(code_page, 0, text.data(), length, wide.data(), size);
  return wide;
}

// The bytes of the first `count` units; *lossy when a character had to be
// replaced.
std::string Narrow(UINT code_page, const std::u16string& wide, int count, BOOL* lossy) {
  *lossy = FALSE;
  if (count <= 0) return {};
  BOOL* used_default = code_page == CP_UTF8 ? nullptr : lossy;
  const int size =
      WideCharToMultiByte(code_page, 0, wide.data(), count, nullptr, 0, nullptr, used_default);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), count, bytes.data(), size, nullptr, used_default);
  return bytes;
}

}  // namespace

std::string CommentFromFile(UINT code_page, std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::u16string wide = Widen(code_page, bytes);
  wide.resize(static_cast<std::size_t>(
      WholeCharacters(wide, std::min<int>(static_cast<int>(wide.size()), kLargestComment))));
  BOOL lossy;
  return Narrow(CP_UTF8, wide, static_cast<int>(wide.size()), &lossy);
}

FileComment CommentForFile(UINT code_page, std::string_view text) {
  const std::u16string wide = Widen(CP_UTF8, text);
  FileComment comment;
  BOOL lossy = FALSE;
  comment.bytes = Narrow(code_page, wide, static_cast<int>(wide.size()), &lossy);
  if (lossy) return {{}, false, false};
  if (static_cast<int>(comment.bytes.size()) <= kLargestComment) return comment;
  // Too long: the longest run of whole characters that fits.
  int fits = 0;
  int too_many = static_cast<int>(wide.size());
  while (too_many - fits > 1) {
    const int middle = (fits + too_many) / 2;
    if (static_cast<int>(Narrow(code_page, wide, WholeCharacters(wide, middle), &lossy).size()) <=
        kLargestComment)
      fits = middle;
    else
      too_many = middle;
  }
  comment.bytes = Narrow(code_page, wide, WholeCharacters(wide, fits), &lossy);
  comment.cut = true;
  return comment;
}

}  // namespace gallery
