// What plain and cube textures share: the OpenGL texture object and the
// levels kept in memory (faces x levels), each uploaded when it is unlocked
// after writing (only the locked area, or with D3DLOCK_NO_DIRTY_UPDATE only
// the areas marked changed). What of the memory copies still reads as zeros
// takes no memory, and a level uploaded whole in a format that OpenGL gives
// back byte for byte drops its copy (but a dynamic texture's, written again
// and again): the next lock reads it back from OpenGL. A device gives its
// textures their copies back before its context is left or deleted, so a
// texture outlives its device. OpenGL holds level 0 from the start and a
// lower level once it has been written: a chain that nothing writes (a glyph
// cache's) costs nothing there, and sampling stops at the last level
// written. The OpenGL object belongs to the device whose context was current
// when the texture was made: once that context is gone, or while another one
// is current, nothing reaches OpenGL.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8_surface.h"

namespace platform::d3d8 {

class TextureStorage : public SurfaceOwner {
 public:
  // levels 0 asks for the whole chain down to 1 x 1.
  TextureStorage(bool cube, const FormatInfo& format, uint32_t width, uint32_t height, uint32_t levels,
                 D3DPOOL pool, DWORD usage, IUnknown* container);
  ~TextureStorage();
  TextureStorage(const TextureStorage&) = delete;
  TextureStorage& operator=(const TextureStorage&) = delete;

  static uint32_t FullChainLength(uint32_t width, uint32_t height);

  uint32_t LevelCount() const { return levelCount_; }
  // Null for a face or level out of range.
  MemorySurface* Level(uint32_t face, uint32_t level);
  HRESULT LevelDesc(uint32_t level, D3DSURFACE_DESC* desc);
  uint32_t GlTarget() const;
  uint32_t GlName() const { return glName_; }
  // The serial of the context holding the OpenGL object.
  uint64_t Context() const { return context_; }

  void SurfaceWritten(uint32_t index, const RECT& area) override;
  bool RestoreCopy(uint32_t index, uint8_t* bytes) override;
  // Every texture of the current context takes its dropped copies back.
  static void KeepCopies(uint64_t context);
  // Uploads an area of a face's level 0 (all of it for null); false when the
  // area lies outside the level.
  bool MarkChanged(uint32_t face, const RECT* area);

 private:
  void Upload(uint32_t index, const RECT& area);
  // Gives OpenGL the whole level (undefined contents for null bytes).
  void Specify(uint32_t index, const uint8_t* bytes);
  // A driver lays a texture out for level 0 alone until a lower level comes,
  // then lays out a new chain for the lower levels but leaves level 0 in the
  // old storage until the texture is next drawn, or for good if it is not:
  // giving level 0 again, as OpenGL holds it, moves it into the chain and
  // frees the old storage.
  void MoveTopLevelIntoChain(uint32_t face);
  // What OpenGL holds of a level, in the memory copy's layout.
  void ReadLevel(uint32_t index, uint8_t* bytes);
  // Drops a level's memory copy right after the whole level went in, when
  // OpenGL keeps the format exactly.
  void DropCopyIfHeld(uint32_t index);
  uint32_t FaceCount() const { return cube_ ? 6 : 1; }
  bool Live() const;

  bool cube_;
  bool keepsCopies_;  // a dynamic texture, written again and again
  uint32_t levelCount_;
  std::vector<MemorySurface*> surfaces_;  // face-major
  std::vector<bool> uploaded_;            // per surface
  uint32_t sampledLevels_ = 1;            // levels held by OpenGL on every face
  uint32_t glName_ = 0;
  uint64_t context_;
};

// The storage of one of this layer's textures.
TextureStorage& StorageOf(IDirect3DBaseTexture8* texture);

}  // namespace platform::d3d8
