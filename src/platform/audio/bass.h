// The sound library calls the engine makes: samples, sample channels and
// module music, mixed by our own mixer onto the SDL2 audio device.
//
// Handles are 32-bit and never 0; a call given a handle it does not know
// fails (FALSE, 0, or -1 for positions). Volumes are 0..100, pans -100 (left)
// .. 100 (right). Positions are bytes of the channel's 16-bit data; a module
// position may also be given as an order and a row (see
// BASS_ChannelSetPosition).
#pragma once
#include <cstdint>

#include "platform/window/win32.h"

typedef uint64_t QWORD;

typedef DWORD HSAMPLE;
typedef DWORD HCHANNEL;
typedef DWORD HMUSIC;
typedef DWORD HSTREAM;
typedef DWORD HSYNC;

// Called on the mixing thread: keep it short, and call nothing but this
// library from it.
typedef void SYNCPROC(HSYNC handle, DWORD channel, DWORD data, void* user);

constexpr DWORD BASS_SAMPLE_MONO = 2;  // accepted by BASS_SampleLoad; a sound keeps its own channels
constexpr DWORD BASS_SAMPLE_LOOP = 4;
constexpr DWORD BASS_MUSIC_LOOP = BASS_SAMPLE_LOOP;
constexpr DWORD BASS_MUSIC_RAMPS = 0x400;  // volume ramping
constexpr DWORD BASS_MUSIC_PRESCAN = 0x20000;

// Sync types: a position in bytes is passed by; mix-time syncs run on the
// mixing thread the moment the mix reaches them (all of ours do).
constexpr DWORD BASS_SYNC_POS = 0;
constexpr DWORD BASS_SYNC_MIXTIME = 0x40000000;

constexpr DWORD BASS_ACTIVE_STOPPED = 0;
constexpr DWORD BASS_ACTIVE_PLAYING = 1;

// A module position: order in the low word, row | 0x8000 in the high word.
constexpr QWORD BassMusicPosition(DWORD order, DWORD row) {
  return (order & 0xFFFF) | (static_cast<QWORD>((row & 0x7FFF) | 0x8000) << 16);
}

// Error codes of BASS_ErrorGetCode.
constexpr int BASS_OK = 0;
constexpr int BASS_ERROR_HANDLE = 5;    // unknown handle
constexpr int BASS_ERROR_INIT = 8;      // the sound system is not started
constexpr int BASS_ERROR_NOTAVAIL = 18; // nothing to finish (BASS_SampleCreateDone)
constexpr int BASS_ERROR_ILLPARAM = 20;
constexpr int BASS_ERROR_FILEFORM = 41; // data that no decoder takes

// The error of the latest failed call (BASS_OK after a call that succeeded).
int BASS_ErrorGetCode();

// Device -1 or 1 opens the default output, 0 mixes with no output.
BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND window, const void* guid);
BOOL BASS_Free();
// Resume and pause all output; channels keep their playing state meanwhile.
BOOL BASS_Start();
BOOL BASS_Pause();

// Loads a WAV, Ogg Vorbis or MP3 file held in memory (`mem` must be TRUE;
// `length` bytes from `offset`) into a sample with at most `max` channels
// playing at once.
HSAMPLE BASS_SampleLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD max,
                        DWORD flags);
// Starts a sample of `length` bytes of 16-bit PCM (`chans` 1 or 2,
// interleaved) at `freq` Hz with `flags` 0 or BASS_SAMPLE_LOOP: answers the
// buffer to fill, valid until BASS_SampleCreateDone makes the sample of it.
void* BASS_SampleCreate(DWORD length, DWORD freq, DWORD chans, DWORD max, DWORD flags);
HSAMPLE BASS_SampleCreateDone();
// Stops every channel of the sample.
BOOL BASS_SampleStop(HSAMPLE sample);
// Stops the sample's channels and frees it.
BOOL BASS_SampleFree(HSAMPLE sample);
// A new channel of the sample. At the sample's limit the longest-playing
// channel is taken over, unless `onlyNew`. A channel is freed when it is
// stopped, ends or is taken over.
HCHANNEL BASS_SampleGetChannel(HSAMPLE sample, BOOL onlyNew);
// The number of the sample's channels not yet freed, written to `channels`
// unless it is null (room for the sample's `max` is enough); -1 for an
// unknown sample.
DWORD BASS_SampleGetChannels(HSAMPLE sample, HCHANNEL* channels);

// Loads a tracker module held in memory (as BASS_SampleLoad); `freq` 0
// renders at the output rate.
HMUSIC BASS_MusicLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD flags,
                      DWORD freq);
BOOL BASS_MusicFree(HMUSIC music);

// A stream of a sound file held in memory (`mem` must be TRUE), decoded as it
// plays: Ogg Vorbis a block at a time from a copy of the file, other sounds
// whole. `flags` 0 or BASS_SAMPLE_LOOP. It stays, stopped, after it ends or
// is stopped, until freed.
HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
BOOL BASS_StreamFree(HSTREAM stream);

// freq -1, volume -1 and pan -101 leave that attribute unchanged; freq 0
// returns to the sample's own rate.
BOOL BASS_ChannelSetAttributes(DWORD channel, int freq, int volume, int pan);
BOOL BASS_ChannelPlay(DWORD channel, BOOL restart);
BOOL BASS_ChannelStop(DWORD channel);
// BASS_ACTIVE_PLAYING while playing, else BASS_ACTIVE_STOPPED.
DWORD BASS_ChannelIsActive(DWORD channel);
QWORD BASS_ChannelGetPosition(DWORD channel);
// Modules only: jumps to the order and row of BassMusicPosition.
BOOL BASS_ChannelSetPosition(DWORD channel, QWORD position);
HSYNC BASS_ChannelSetSync(DWORD channel, DWORD type, QWORD param, SYNCPROC* proc, void* user);
