// orsa-beam: pushes one file to an infrared peer with the OBEX sender of
// the handheld, printing the sender's status texts and log on stderr.
#include <stdlib.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "obex/beam_session.h"
#include "obex/orsabeam.h"
#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/modules.h"
#include "platform/sockets.h"
#include "platform/threads.h"

namespace {

namespace fs = std::filesystem;

constexpr int kExitSent = 0;
constexpr int kExitNotSent = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "Usage: orsa-beam [--peer NAME=HOST[:PORT]]... FILE\n"
    "\n"
    "Pushes FILE with OBEX to the first infrared device in range, the way the\n"
    "handheld's sender does, and prints its status texts and log on stderr.\n"
    "\n"
    "  --peer NAME=HOST[:PORT]  a device in range: its name, and the host and TCP\n"
    "                           port where it takes infrared connections (port 650\n"
    "                           when left out). May be given more than once; the\n"
    "                           first device found is used.\n"
    "  -h, --help               shows this text.\n"
    "\n"
    "Without a peer nobody is in range and the sender searches until it is\n"
    "interrupted (Ctrl-C).\n"
    "\n"
    "Exit status: 0 when the peer took the whole file, 1 when sending failed or\n"
    "was interrupted, 2 for a wrong command line or a file that cannot be read.\n";

volatile std::sig_atomic_t interrupted = 0;

void OnSignal(int) { interrupted = 1; }

struct Options {
  std::vector<platform::InfraredPeer> peers;
  fs::path file;
};

std::optional<platform::WORD> ParsePort(std::string_view text) {
  const std::string port(text);
  char* end = nullptr;
  const unsigned long value = std::strtoul(port.c_str(), &end, 10);
  if (port.empty() || *end != '\0' || value == 0 || value > 65535) return std::nullopt;
  return static_cast<platform::WORD>(value);
}

// NAME=HOST, NAME=HOST:PORT, NAME=[IPV6] or NAME=[IPV6]:PORT.
std::optional<platform::InfraredPeer> ParsePeer(std::string_view text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || equals == 0) return std::nullopt;
  platform::InfraredPeer peer;
  peer.name = std::string(text.substr(0, equals));
  std::string_view where = text.substr(equals + 1);
  std::optional<std::string_view> port;
  if (where.starts_with('[')) {
    const std::size_t close = where.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    if (close + 1 < where.size()) {
      if (where[close + 1] != ':') return std::nullopt;
      port = where.substr(close + 2);
    }
    where = where.substr(1, close - 1);
  } else if (const std::size_t colon = where.find(':');
             colon != std::string_view::npos &&
             where.find(':', colon + 1) == std::string_view::npos) {
    port = where.substr(colon + 1);
    where = where.substr(0, colon);
  }
  if (port) {
    const std::optional<platform::WORD> number = ParsePort(*port);
    if (!number) return std::nullopt;
    peer.port = *number;
  }
  if (where.empty()) return std::nullopt;
  peer.host = std::string(where);
  return peer;
}

// Nothing with a message printed when the command line is wrong.
std::optional<Options> ParseOptions(int argc, char** argv, bool* help) {
  Options options;
  bool have_file = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      *help = true;
      return options;
    }
    std::optional<std::string_view> peer_text;
    if (argument == "--peer") {
      if (++i == argc) {
        std::fputs("orsa-beam: --peer needs NAME=HOST[:PORT]\n", stderr);
        return std::nullopt;
      }
      peer_text = argv[i];
    } else if (argument.starts_with("--peer=")) {
      peer_text = argument.substr(7);
    }
    if (peer_text) {
      std::optional<platform::InfraredPeer> peer = ParsePeer(*peer_text);
      if (!peer) {
        std::fprintf(stderr, "orsa-beam: not a peer (NAME=HOST[:PORT]): %.*s\n",
                     static_cast<int>(peer_text->size()), peer_text->data());
        return std::nullopt;
      }
      options.peers.push_back(std::move(*peer));
    } else if (argument.starts_with("-") && argument != "-") {
      std::fprintf(stderr, "orsa-beam: unknown option %s\n", argv[i]);
      return std::nullopt;
    } else if (have_file) {
      std::fputs("orsa-beam: only one FILE can be sent\n", stderr);
      return std::nullopt;
    } else {
      options.file = argument;
      have_file = true;
    }
  }
  if (!have_file) {
    std::fputs("orsa-beam: no FILE given\n", stderr);
    return std::nullopt;
  }
  return options;
}

class StderrObserver final : public obex::BeamObserver {
 public:
  void OnStatus(const std::string& text) override { Print("status", text); }
  void OnLog(const std::string& line) override { Print("log", line); }

 private:
  void Print(const char* kind, const std::string& text) {
    std::lock_guard lock(mutex_);
    std::fprintf(stderr, "orsa-beam: %s: %s\n", kind, text.c_str());
  }
  std::mutex mutex_;
};

// A handheld of its own in a temporary folder, removed at the end.
class ScratchHandheld {
 public:
  ScratchHandheld() {
    std::string pattern = (fs::temp_directory_path() / "orsa-beam-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    root_ = pattern;
    platform::HandheldConfig config;
    config.root = root_;
    config.virtual_clock = false;  // a real peer answers in real time
    handheld_.emplace(std::move(config));
  }
  ~ScratchHandheld() {
    handheld_.reset();
    std::error_code ignored;
    if (!root_.empty()) fs::remove_all(root_, ignored);
  }
  ScratchHandheld(const ScratchHandheld&) = delete;
  ScratchHandheld& operator=(const ScratchHandheld&) = delete;
  platform::Handheld* get() { return handheld_ ? &*handheld_ : nullptr; }

 private:
  fs::path root_;
  std::optional<platform::Handheld> handheld_;
};

// Copies the host file into "\My Documents\" with its time; its handheld
// path, or nothing with a message printed.
std::optional<std::string> CopyIntoHandheld(platform::Handheld& handheld, const fs::path& file) {
  std::error_code error;
  if (!fs::is_regular_file(file, error)) {
    std::fprintf(stderr, "orsa-beam: not a file: %s\n", file.c_str());
    return std::nullopt;
  }
  const std::string path = "\\My Documents\\" + file.filename().string();
  const std::optional<fs::path> host_path = handheld.files().HostPath(path);
  if (!host_path || !fs::copy_file(file, *host_path, error)) {
    std::fprintf(stderr, "orsa-beam: cannot copy %s into the handheld%s%s\n", file.c_str(),
                 error ? ": " : "", error ? error.message().c_str() : "");
    return std::nullopt;
  }
  fs::last_write_time(*host_path, fs::last_write_time(file, error), error);
  return path;
}

int Beam(const Options& options) {
  ScratchHandheld scratch;
  platform::Handheld* handheld = scratch.get();
  if (!handheld) {
    std::fputs("orsa-beam: cannot make a temporary folder\n", stderr);
    return kExitUsage;
  }
  auto& sockets = handheld->GetService<platform::SocketService>();
  for (const platform::InfraredPeer& peer : options.peers) sockets.AddInfraredPeer(peer);
  obex::InstallOrsaBeam(*handheld);
  const std::optional<std::string> path = CopyIntoHandheld(*handheld, options.file);
  if (!path) return kExitUsage;

  const platform::HMODULE resources = platform::LoadLibrary("orsabeamres.dll");
  StderrObserver observer;
  obex::BeamSession session(resources, *path, observer);
  if (!session.Start()) {
    std::fputs("orsa-beam: cannot start the sender\n", stderr);
    return kExitNotSent;
  }
  while (platform::WaitForSingleObject(session.worker(), 100) == platform::WAIT_TIMEOUT) {
    if (interrupted) {
      std::fputs("orsa-beam: interrupted\n", stderr);
      platform::WaitForSingleObject(session.StartClosing(), platform::INFINITE);
      break;
    }
  }
  const bool sent = session.Succeeded();
  if (resources) platform::FreeLibrary(resources);
  return sent ? kExitSent : kExitNotSent;
}

}  // namespace

int main(int argc, char** argv) {
  bool help = false;
  const std::optional<Options> options = ParseOptions(argc, argv, &help);
  if (help) {
    std::fputs(kUsage, stdout);
    return kExitSent;
  }
  if (!options) {
    std::fputs("Try 'orsa-beam --help'.\n", stderr);
    return kExitUsage;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  return Beam(*options);
}
