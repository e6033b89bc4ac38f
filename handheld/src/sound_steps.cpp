// Steps with the handheld's sound: mic sets what the microphone hears,
// expect-sound waits for a sound to be played.
#include "platform/audio.h"
#include "platform/paths.h"
#include "script_steps.h"

namespace handheld {

namespace {

constexpr platform::DWORD kSoundWaitMs = 5000;
constexpr platform::DWORD kPollMs = 50;
// Loud enough to be heard clearly, well below clipping.
constexpr double kToneAmplitude = 8000;

// The sounds expect-sound has already matched, so that each counts once.
struct HeardSounds : platform::HandheldService {
  explicit HeardSounds(platform::Handheld&) {}
  std::size_t matched = 0;
};

std::optional<std::string> CheckMic(const std::vector<std::string>& arguments) {
  const std::string& kind = arguments[0];
  if (kind == "silence") {
    if (arguments.size() != 1) return "silence takes nothing more";
    return std::nullopt;
  }
  if (kind == "tone") {
    int hz = 0;
    if (arguments.size() != 2 || !ParseInteger(arguments[1], &hz) || hz <= 0 || hz > 20000) {
      return "tone takes a frequency in Hz (1-20000)";
    }
    return std::nullopt;
  }
  if (kind == "wav") {
    if (arguments.size() != 2) return "wav takes a host WAV file";
    return std::nullopt;
  }
  return "say silence, tone HZ or wav FILE";
}

bool Mic(StepContext& context) {
  const std::vector<std::string>& arguments = context.step.arguments;
  if (arguments[0] == "silence") {
    platform::audio::SetInputSignal(platform::audio::Silence());
  } else if (arguments[0] == "tone") {
    int hz = 0;
    ParseInteger(arguments[1], &hz);
    platform::audio::SetInputSignal(platform::audio::Tone(hz, kToneAmplitude));
  } else {
    platform::audio::InputSignal signal = platform::audio::WavFileSignal(arguments[1]);
    if (!signal) return Fail(context, "cannot read the WAV file '" + arguments[1] + "'");
    platform::audio::SetInputSignal(std::move(signal));
  }
  context.out << "the microphone hears " << Joined(arguments, 0) << "\n";
  return true;
}

// A sound is named by its path or resource name, or by its file name alone.
bool SoundMatches(const platform::audio::PlayedSound& sound, const std::string& name) {
  if (platform::EqualsIgnoreCase(sound.name, name)) return true;
  const std::string file = sound.name.substr(sound.name.find_last_of('\\') + 1);
  return platform::EqualsIgnoreCase(file, name) ||
         (sound.default_sound && platform::EqualsIgnoreCase(name, "default"));
}

bool ExpectSound(StepContext& context) {
  const std::string& name = context.step.arguments[0];
  HeardSounds& heard = context.emulator.handheld().GetService<HeardSounds>();
  std::vector<platform::audio::PlayedSound> sounds;
  for (platform::DWORD waited = 0;; waited += kPollMs) {
    sounds = platform::audio::PlayedSounds();
    for (std::size_t i = heard.matched; i < sounds.size(); ++i) {
      if (SoundMatches(sounds[i], name)) {
        heard.matched = i + 1;
        context.out << "sound " << sounds[i].name << " played\n";
        return true;
      }
    }
    if (waited >= kSoundWaitMs) break;
    WaitOnHandheld(context, kPollMs);
  }
  std::string played;
  for (std::size_t i = heard.matched; i < sounds.size(); ++i) played += " " + sounds[i].name;
  return Fail(context, "no sound '" + name + "' was played in " + std::to_string(kSoundWaitMs) +
                           " ms" + (played.empty() ? "" : "; played:" + played));
}

}  // namespace

void AddSoundSteps(StepTable* table) {
  table->insert({
      {"mic", {1, 2, CheckMic, Mic, "mic silence|tone HZ|wav FILE", "what the microphone hears"}},
      {"expect-sound",
       {1, 1, nullptr, ExpectSound, "expect-sound NAME",
        "a sound (path, file or resource name, or default) must be played within 5 s"}},
  });
}

}  // namespace handheld
