// What the SDL audio queue holds right now, for checks of its latency bound.
#pragma once

#include <cstdint>

uint32_t SdlQueuedAudioMs();
