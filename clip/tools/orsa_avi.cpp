// orsa-avi: describes, unpacks and makes the camera's AVI clips.
//   orsa-avi info CLIP.avi
//   orsa-avi extract CLIP.avi DIR
//   orsa-avi make --fps N [--wav SOUND.wav] OUT.avi FRAME.jpg...
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "tool_support.h"

namespace {

void PrintUsage(std::FILE* to) {
  std::fputs(
      "usage: orsa-avi info CLIP.avi\n"
      "       orsa-avi extract CLIP.avi DIR\n"
      "       orsa-avi make --fps N [--wav SOUND.wav] OUT.avi FRAME.jpg...\n"
      "\n"
      "info     prints the main header, the streams and their formats, the frame\n"
      "         count with the measured frame rate, and the sound's format and length\n"
      "extract  writes every video frame as DIR/frameNNNNN.jpg (with the standard\n"
      "         Huffman tables put into frames that have none) and the sound as\n"
      "         DIR/sound.wav\n"
      "make     writes a clip the way the camera does: Motion-JPEG frames (the frame\n"
      "         size comes from the first one) and, with --wav, 8- or 16-bit PCM\n"
      "         sound in 1,280-byte blocks. The clip's length is the frame count / N\n"
      "         in whole seconds, from which the frame rate in the file is measured.\n"
      "         Clips stop at the camera's size limit of 14,680,064 bytes.\n"
      "\n"
      "exit status: 0 success, 1 the clip holds nothing to extract, 2 usage error,\n"
      "             3 a file could not be read or written\n",
      to);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(stderr);
    return orsa_avi::kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(stdout);
    return orsa_avi::kExitOk;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "info") return orsa_avi::RunInfo(rest);
  if (args[0] == "extract") return orsa_avi::RunExtract(rest);
  if (args[0] == "make") return orsa_avi::RunMake(rest);
  std::fprintf(stderr, "orsa-avi: unknown command '%s'\n", args[0].c_str());
  PrintUsage(stderr);
  return orsa_avi::kExitUsage;
}
