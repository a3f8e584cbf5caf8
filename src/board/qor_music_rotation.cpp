#include "board/qor_music_rotation.h"

#include <cstdio>
#include <cstdlib>

#include "audio/audio.h"

void QORMusicRotation::Build() {
  for (int i = 0; i < kPieces; ++i) {
    char name[64];
    std::snprintf(name, sizeof(name), "sounds/Game Play Cue %i.ogg", i + 1);
    samples_[i] = audio::GetAudio().LoadSound(name, false);
  }
  PlayRandomPiece();
}

void QORMusicRotation::Tick() {
  if (!audio::GetAudio().IsChannelPlaying(channel_)) PlayRandomPiece();
}

void QORMusicRotation::PlayRandomPiece() {
  index_ = std::rand() % kPieces;
  channel_ = audio::GetAudio().PlayMusicSample(samples_[index_], 1.0f);
}
