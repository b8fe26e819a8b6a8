// The sound output on the host: the audio device opened and closed around the channel
// buffers, and each frame's mixed block handed to it.
#pragma once

#include <cstdint>

// Opens the host's audio output in the layout SoundStereo asks for, then the channel buffers;
// 1 on success, 0 when the host has no audio.
uint32_t OpenSound();
// Releases every buffer and the host's audio output; safe to call when nothing is open.
void CloseSound();
// Queues the frame's mixed block, if one waits, on the host.
void QueueMixedSound();
