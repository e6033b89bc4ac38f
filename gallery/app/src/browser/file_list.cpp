#include "browser/file_list.h"

#include <algorithm>
#include <unordered_set>

#include "browser/thumbnails.h"
#include "gallery/file_types/voice_note.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/time.h"

namespace gallery {

namespace {

using namespace platform;

std::string_view NamePart(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The text after the last "." of the name; empty when it has none.
std::string_view ExtensionOf(std::string_view path) {
  const std::string_view name = NamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string_view FolderPart(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::uint64_t LocalTime(const FILETIME& utc) {
  FILETIME local;
  FileTimeToLocalFileTime(&utc, &local);
  return (std::uint64_t{local.dwHighDateTime} << 32) | local.dwLowDateTime;
}

template <typename T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

bool HasListedExtension(std::string_view path, std::span<const std::string_view> extensions) {
  const std::string_view extension = ExtensionOf(path);
  if (extension.empty()) return false;
  return std::any_of(extensions.begin(), extensions.end(),
                     [&](std::string_view listed) { return EqualsIgnoreCase(extension, listed); });
}

std::shared_ptr<FileEntry> MakeEntry(std::string path, std::uint64_t time, std::uint32_t size) {
  auto entry = std::make_shared<FileEntry>();
  entry->folded_name = FoldCase(NamePart(path));
  entry->folded_extension = FoldCase(ExtensionOf(path));
  entry->path = std::move(path);
  entry->time = time;
  entry->size = size;
  return entry;
}

int CompareEntries(const FileEntry& a, const FileEntry& b, std::uint32_t sort_key) {
  int order = 0;
  switch (sort_key) {
    case 1:
      order = Order(a.time, b.time);
      break;
    case 2:
      order = Order(a.size, b.size);
      break;
    case 3:
      order = Order(a.folded_extension, b.folded_extension);
      break;
    default:
      break;
  }
  return order != 0 ? order : Order(a.folded_name, b.folded_name);
}

void FileList::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

void FileList::List(const std::string& folder, const ListOrder& order,
                    std::span<const std::string_view> extra) {
  std::vector<Listed> listed;
  {
    std::lock_guard lock(mutex_);
    entries_.clear();
    folder_ = std::string(FolderPart(folder));
    order_ = order;
  }
  std::unordered_set<std::string> notes;
  Scan(folder_, kPictureExtensions, listed, &notes);
  for (std::string_view extension : extra) Scan(folder_, std::span(&extension, 1), listed, &notes);
  // The scan saw every voice note: no entry needs to look for its own.
  for (const Listed& entry : listed) {
    entry.entry->has_note = notes.contains(FoldCase(VoiceNotePath(entry.entry->path)));
    entry.entry->note_known = true;
  }
  std::lock_guard lock(mutex_);
  entries_ = std::move(listed);
}

// Enumerates "<folder>*.*"; matching files go into `into` in their sorted
// place, subfolders are scanned the same way when the order asks for them;
// the voice notes met go into `notes`, case folded.
void FileList::Scan(const std::string& folder, std::span<const std::string_view> extensions,
                    std::vector<Listed>& into, std::unordered_set<std::string>* notes) const {
  constexpr std::string_view kNote[] = {"wav"};
  WIN32_FIND_DATA data;
  FindHandle find = FindFirstFile(folder + "*.*", &data);
  for (bool more = static_cast<bool>(find); more; more = FindNextFile(find, &data)) {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (order_.include_subfolders) Scan(folder + data.cFileName + "\\", extensions, into, notes);
    } else if (HasListedExtension(data.cFileName, kNote)) {
      notes->insert(FoldCase(folder + data.cFileName));
    } else if (HasListedExtension(data.cFileName, extensions)) {
      Insert(into,
             MakeEntry(folder + data.cFileName, LocalTime(data.ftCreationTime), data.nFileSizeLow));
    }
  }
  FindClose(find);
}

// Ascending, the entry goes before the first one greater than it;
// descending, before the first one smaller: equal entries keep their
// arrival order.
void FileList::Insert(std::vector<Listed>& into, std::shared_ptr<FileEntry> entry) const {
  const std::uint32_t key = order_.sort_key;
  const bool ascending = order_.ascending;
  auto place = std::upper_bound(into.begin(), into.end(), *entry,
                                [&](const FileEntry& added, const Listed& listed) {
                                  const int order = CompareEntries(*listed.entry, added, key);
                                  return ascending ? order > 0 : order < 0;
                                });
  into.insert(place, Listed{std::move(entry), false});
}

std::string FileList::Path(int index) const {
  return Inside(index) ? entries_[static_cast<std::size_t>(index)].entry->path : std::string();
}

int FileList::Find(std::string_view path) const {
  const std::string folded = FoldCase(path);
  for (int index = 0; index < count(); ++index) {
    if (FoldCase(entries_[static_cast<std::size_t>(index)].entry->path) == folded) return index;
  }
  return -1;
}

bool FileList::InListedFolder(std::string_view path) const {
  if (folder_.empty()) return false;
  const std::string_view folder = FolderPart(path);
  return order_.include_subfolders ? StartsWithIgnoreCase(folder, folder_)
                                   : EqualsIgnoreCase(folder, folder_);
}

int FileList::Add(const std::string& path) {
  if (!InListedFolder(path)) return -1;
  WIN32_FIND_DATA data;
  FindHandle find = FindFirstFile(path, &data);
  const bool found = static_cast<bool>(find);
  FindClose(find);
  if (!found || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return -1;
  const FILETIME& written =
      (data.ftLastWriteTime.dwLowDateTime | data.ftLastWriteTime.dwHighDateTime)
          ? data.ftLastWriteTime
          : data.ftCreationTime;
  auto entry = MakeEntry(path, LocalTime(written), data.nFileSizeLow);
  const FileEntry* added = entry.get();
  std::lock_guard lock(mutex_);
  Insert(entries_, std::move(entry));
  for (int index = 0; index < count(); ++index) {
    if (entries_[static_cast<std::size_t>(index)].entry.get() == added) return index;
  }
  return -1;
}

bool FileList::Remove(std::string_view path) {
  if (!InListedFolder(path)) return false;
  const int index = Find(path);
  if (index < 0) return false;
  std::lock_guard lock(mutex_);
  entries_.erase(entries_.begin() + index);
  return true;
}

bool FileList::IsMarked(int index) const {
  return Inside(index) && entries_[static_cast<std::size_t>(index)].marked;
}

void FileList::SetMarked(int index, bool marked) {
  if (!Inside(index)) return;
  std::lock_guard lock(mutex_);
  entries_[static_cast<std::size_t>(index)].marked = marked;
}

void FileList::ToggleMarked(int index) { SetMarked(index, !IsMarked(index)); }

void FileList::MarkAll(bool marked) {
  std::lock_guard lock(mutex_);
  for (Listed& listed : entries_) listed.marked = marked;
}

void FileList::MarkSpan(int from, int to) {
  const int first = std::max(std::min(from, to), 0);
  const int last = std::min(std::max(from, to), count() - 1);
  std::lock_guard lock(mutex_);
  for (int index = first; index <= last; ++index)
    entries_[static_cast<std::size_t>(index)].marked = true;
}

int FileList::MarkedCount() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                        [](const Listed& listed) { return listed.marked; }));
}

std::vector<std::string> FileList::MarkedPaths() const {
  std::vector<std::string> paths;
  for (const Listed& listed : entries_) {
    if (listed.marked) paths.push_back(listed.entry->path);
  }
  return paths;
}

void FileList::VoiceNoteChanged(std::string_view note_path) {
  for (const Listed& listed : entries_) {
    if (EqualsIgnoreCase(VoiceNotePath(listed.entry->path), note_path))
      ForgetVoiceNote(*listed.entry);
  }
}

EntryPeek FileList::Peek(int index) const {
  std::lock_guard lock(mutex_);
  if (!Inside(index)) return {};
  const Listed& listed = entries_[static_cast<std::size_t>(index)];
  return {listed.entry, listed.marked};
}

std::vector<std::shared_ptr<FileEntry>> FileList::Entries() const {
  std::lock_guard lock(mutex_);
  std::vector<std::shared_ptr<FileEntry>> entries;
  for (const Listed& listed : entries_) entries.push_back(listed.entry);
  return entries;
}

}  // namespace gallery
