// The chimes around a transfer. Kept behind one call so that the sender
// depends on the platform's sound only here.
#pragma once

namespace obex {

enum class BeamSound { kBegin, kEnd };

// Plays the sound asynchronously; silent when the handheld lacks it.
void PlayBeamSound(BeamSound sound);

}  // namespace obex
