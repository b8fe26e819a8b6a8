// The state of the SDL audio queue, for checks of its latency bounds.
#pragma once

#include <cstdint>

uint32_t SdlQueuedAudioMs();
// False while the device waits for enough queued sound to start.
bool SdlAudioPlaying();
