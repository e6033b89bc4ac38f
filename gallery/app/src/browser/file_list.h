// The browser's file list: the pictures (and, with the clip plug-in, the
// clips) of one folder in the order the File options ask for, with the
// marks of the entries.
//
// Only the user-interface thread changes the list. Every change takes the
// list's lock, and so does the thumbnail worker's one read (Peek), so the
// worker never sees a list half changed; the user-interface thread's own
// reads need no lock. The lock is never held across a file or media call.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "browser/file_entry.h"

namespace gallery {

struct ListOrder {
  std::uint32_t sort_key = 0;  // SortKey of the File options
  bool ascending = true;
  bool include_subfolders = false;
  friend bool operator==(const ListOrder&, const ListOrder&) = default;
};

// The built-in extensions, and whether a name has one of them or of `extra`.
inline constexpr std::string_view kPictureExtensions[] = {"jpg", "bmp", "2bp", "png", "gif"};
bool HasListedExtension(std::string_view path, std::span<const std::string_view> extensions);

// What the worker needs of one entry, read in one go.
struct EntryPeek {
  std::shared_ptr<FileEntry> entry;
  bool marked = false;
};

class FileList {
 public:
  // Lists `folder` (ending in "\"): the built-in extensions, then each
  // extension of `extra` (the clip plug-in's), recursing into subfolders
  // when the order says so.
  void List(const std::string& folder, const ListOrder& order,
            std::span<const std::string_view> extra);
  void Clear();

  int count() const { return static_cast<int>(entries_.size()); }
  const std::string& folder() const { return folder_; }
  const ListOrder& order() const { return order_; }
  // Empty outside the list.
  std::string Path(int index) const;
  // The position of `path` (case-insensitive) or -1.
  int Find(std::string_view path) const;
  // Whether `path` lies in the listed folder (or below it, with subfolders).
  bool InListedFolder(std::string_view path) const;

  // Adds the file at `path` in its sorted place when it lies in the listed
  // folder and exists; its position, or -1.
  int Add(const std::string& path);
  // Removes the first entry of `path` when it lies in the listed folder;
  // whether one went.
  bool Remove(std::string_view path);

  // A change notice named the voice note at `note_path`: the entries it
  // belongs to look it up again at the worker's next visit.
  void VoiceNoteChanged(std::string_view note_path);

  bool IsMarked(int index) const;
  void SetMarked(int index, bool marked);
  void ToggleMarked(int index);
  void MarkAll(bool marked);
  // Marks index from..to (in either order), leaving the rest as they are.
  void MarkSpan(int from, int to);
  int MarkedCount() const;
  std::vector<std::string> MarkedPaths() const;

  // The worker's read: entry `index` and its mark, or nothing outside the
  // list. Safe on any thread.
  EntryPeek Peek(int index) const;
  // Every entry, for the worker's memory figures and tests.
  std::vector<std::shared_ptr<FileEntry>> Entries() const;

 private:
  struct Listed {
    std::shared_ptr<FileEntry> entry;
    bool marked = false;
  };
  void Scan(const std::string& folder, std::span<const std::string_view> extensions,
            std::vector<Listed>& into, std::unordered_set<std::string>* notes) const;
  void Insert(std::vector<Listed>& into, std::shared_ptr<FileEntry> entry) const;
  bool Inside(int index) const { return index >= 0 && index < count(); }

  mutable std::mutex mutex_;
  std::vector<Listed> entries_;
  std::string folder_;
  ListOrder order_;
};

// A new entry for `path` with its time and size (not yet listed).
std::shared_ptr<FileEntry> MakeEntry(std::string path, std::uint64_t time, std::uint32_t size);

// -1, 0 or 1: how `a` compares with `b` under `sort_key`; names decide
// between equal keys.
int CompareEntries(const FileEntry& a, const FileEntry& b, std::uint32_t sort_key);

}  // namespace gallery
