// A component's resources folder, read into a module's resources.
#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <iterator>

#include "platform/paths.h"
#include "platform/resources.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

struct BinaryKind {
  const char* folder;
  const char* extension;
  ResourceType type;
  std::string_view signature;  // how the file starts
};

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1A\n", 8);
constexpr std::string_view kRiffSignature = "RIFF";

constexpr std::array<BinaryKind, 3> kBinaryKinds = {{
    {"bitmaps", ".png", ResourceType::kBitmap, kPngSignature},
    {"icons", ".png", ResourceType::kIcon, kPngSignature},
    {"sounds", ".wav", ResourceType::kWave, kRiffSignature},
}};

// The regular files of a folder in name order; none when it is missing.
std::vector<fs::path> FilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_regular_file()) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<std::vector<BYTE>> ReadHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<BYTE> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

// A file's id: its name without extension, as a number when it is one.
ResourceId IdOf(const fs::path& file) {
  const std::string stem = file.stem().string();
  UINT number = 0;
  auto [end, error] = std::from_chars(stem.data(), stem.data() + stem.size(), number);
  if (error == std::errc() && end == stem.data() + stem.size() && number != 0 && number <= 0xFFFF) {
    return ResourceId(number);
  }
  return ResourceId(std::string_view(stem));
}

bool StartsWith(const std::vector<BYTE>& bytes, std::string_view signature) {
  return bytes.size() >= signature.size() &&
         std::equal(signature.begin(), signature.end(), bytes.begin(),
                    [](char a, BYTE b) { return static_cast<BYTE>(a) == b; });
}

}  // namespace

bool LoadResourceFolder(const fs::path& folder, ModuleResources* resources, std::string* error) {
  std::error_code status;
  if (!fs::is_directory(folder, status)) {
    *error = folder.string() + ": not a folder";
    return false;
  }
  // Built aside, so that a failure leaves *resources as it was.
  ModuleResources loaded = *resources;

  for (const fs::path& file : FilesIn(folder / "strings")) {
    std::optional<std::vector<BYTE>> bytes;
    if (!EqualsIgnoreCase(file.extension().string(), ".txt") || !(bytes = ReadHostFile(file))) {
      *error = file.string() + ": not a readable string table (.txt)";
      return false;
    }
    std::string message;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    if (!ParseStringTable(text, &loaded, &message)) {
      *error = file.string() + ": " + message;
      return false;
    }
  }

  for (const BinaryKind& kind : kBinaryKinds) {
    for (const fs::path& file : FilesIn(folder / kind.folder)) {
      std::optional<std::vector<BYTE>> bytes;
      if (!EqualsIgnoreCase(file.extension().string(), kind.extension) ||
          !(bytes = ReadHostFile(file)) || !StartsWith(*bytes, kind.signature)) {
        *error = file.string() + ": not a readable " + kind.extension + " file";
        return false;
      }
      loaded.AddBinary(kind.type, IdOf(file), BinaryResource{std::move(*bytes), file});
    }
  }
  *resources = std::move(loaded);
  return true;
}

}  // namespace platform
