#include "board/qor_music_rotation.h"

#include <cstdio>
#include <cstdlib>

#include "audio/audio.h"

void QORMusicRotation::Build() { PlayRandomPiece(); }

void QORMusicRotation::Tick() {
  if (!audio::GetAudio().IsChannelPlaying(channel_)) PlayRandomPiece();
}

void QORMusicRotation::PlayRandomPiece() {
  index_ = std::rand() % kPieces;
  char name[64];
  std::snprintf(name, sizeof(name), "sounds/Game Play Cue %i.ogg", index_ + 1);
  channel_ = audio::GetAudio().PlayMusic(name, 1.0f, false);
}
