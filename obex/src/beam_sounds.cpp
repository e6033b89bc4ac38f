#include "beam_sounds.h"

#include "platform/sound.h"

namespace obex {

void PlayBeamSound(BeamSound sound) {
  const char* path = sound == BeamSound::kBegin ? "\\Windows\\Infbeg.wav" : "\\Windows\\Infend.wav";
  platform::PlaySound(path, nullptr,
                      platform::SND_ASYNC | platform::SND_FILENAME | platform::SND_NODEFAULT);
}

}  // namespace obex
