// The command line of orsa-card: its commands, options and usage text.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "driver/orsadrv.h"

namespace orsacard {

enum class Command { kHelp, kSnapshot, kPreview };

struct Arguments {
  Command command = Command::kHelp;
  // For every command.
  std::filesystem::path root;                  // keep the handheld here
  bool real_time = false;                      // the real clock, not the virtual one
  std::optional<std::filesystem::path> scene;  // PNG or JPEG; the built-in scene if none
  std::string model_id;                        // the handheld's model id; none if empty
  // snapshot
  int type = 4;
  orsadrv::SioOptions options;
  std::filesystem::path output;
  // preview
  int frames = 0;
  std::optional<std::filesystem::path> output_folder;
};

extern const char* const kUsage;

// The arguments after the program's name; a message for the user when
// they make no sense.
std::variant<Arguments, std::string> ParseArguments(const std::vector<std::string>& words);

}  // namespace orsacard
