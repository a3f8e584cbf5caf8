#include "platform/d3d8/d3d8_texture_storage.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/d3d8/d3d8_context.h"
#include "platform/d3d8/d3d8_cube_texture.h"
#include "platform/d3d8/d3d8_texture.h"

namespace platform::d3d8 {
namespace {

std::unordered_set<TextureStorage*>& Storages() {
  static std::unordered_set<TextureStorage*> storages;
  return storages;
}

// Whether OpenGL gives a level of the format back byte for byte: a driver
// may keep fewer bits (drop an unused byte, keep a colour in fewer bits) or
// decode compressed blocks. Probed once per format with a level in which
// every byte of a texel takes every value, and a 16-bit texel every value of
// all.
bool HeldExactly(const FormatInfo& format) {
  static std::unordered_map<const FormatInfo*, bool> probed;
  const auto known = probed.find(&format);
  if (known != probed.end()) return known->second;
  constexpr uint32_t kSide = 256;
  const size_t size = static_cast<size_t>(RowPitch(format, kSide)) * RowCount(format, kSide);
  std::vector<uint8_t> level(size), held(size);
  uint32_t noise = 1;  // compressed blocks of all kinds
  for (size_t at = 0; at < size; ++at) {
    noise = noise * 1664525u + 1013904223u;
    if (format.bytesPerTexel) {
      // Texel t's bytes are the low and high bytes of t, then both again moved on by 85.
      const size_t texel = at / format.bytesPerTexel, byte = at % format.bytesPerTexel;
      level[at] = static_cast<uint8_t>((texel >> (8 * (byte % 2))) + 85 * (byte / 2));
    } else {
      level[at] = static_cast<uint8_t>(noise >> 24);
    }
    held[at] = static_cast<uint8_t>(~level[at]);
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  if (format.bytesPerBlock) {
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, format.glInternalFormat, kSide, kSide, 0, static_cast<GLsizei>(size),
                           level.data());
    glGetCompressedTexImage(GL_TEXTURE_2D, 0, held.data());
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format.glInternalFormat), kSide, kSide, 0, format.glFormat,
                 format.glType, level.data());
    glGetTexImage(GL_TEXTURE_2D, 0, format.glFormat, format.glType, held.data());
  }
  glDeleteTextures(1, &name);
  return probed[&format] = held == level;
}

}  // namespace

uint32_t TextureStorage::FullChainLength(uint32_t width, uint32_t height) {
  uint32_t levels = 1;
  for (uint32_t side = std::max(width, height); side > 1; side /= 2) ++levels;
  return levels;
}

TextureStorage::TextureStorage(bool cube, const FormatInfo& format, uint32_t width, uint32_t height,
                               uint32_t levels, D3DPOOL pool, DWORD usage, IUnknown* container)
    : cube_(cube), keepsCopies_((usage & D3DUSAGE_DYNAMIC) != 0), context_(CurrentContextSerial()) {
  uint32_t full = FullChainLength(width, height);
  levelCount_ = (levels == 0 || levels > full) ? full : levels;
  for (uint32_t face = 0; face < FaceCount(); ++face) {
    for (uint32_t level = 0; level < levelCount_; ++level) {
      uint32_t w = std::max(1u, width >> level), h = std::max(1u, height >> level);
      surfaces_.push_back(new MemorySurface(format, w, h, pool, usage, container, this,
                                            static_cast<uint32_t>(surfaces_.size())));
    }
  }
  uploaded_.assign(surfaces_.size(), false);
  Storages().insert(this);
  if (!Live()) return;
  glGenTextures(1, &glName_);
  glBindTexture(GlTarget(), glName_);
  glTexParameteri(GlTarget(), GL_TEXTURE_MAX_LEVEL, 0);
  // Contents left undefined, as Direct3D leaves a new texture's: whoever
  // makes a texture writes it.
  for (uint32_t face = 0; face < FaceCount(); ++face) Specify(face * levelCount_, nullptr);
}

TextureStorage::~TextureStorage() {
  Storages().erase(this);
  // A dead context took the name with it; in another context the name is a stranger's.
  if (Live()) glDeleteTextures(1, &glName_);
  for (MemorySurface* surface : surfaces_) delete surface;
}

MemorySurface* TextureStorage::Level(uint32_t face, uint32_t level) {
  if (face >= FaceCount() || level >= levelCount_) return nullptr;
  return surfaces_[face * levelCount_ + level];
}

HRESULT TextureStorage::LevelDesc(uint32_t level, D3DSURFACE_DESC* desc) {
  MemorySurface* surface = Level(0, level);
  if (!surface || !desc) return D3DERR_INVALIDCALL;
  surface->GetDesc(desc);
  desc->Type = cube_ ? D3DRTYPE_CUBETEXTURE : D3DRTYPE_TEXTURE;
  return D3D_OK;
}

bool TextureStorage::Live() const { return context_ != 0 && context_ == CurrentContextSerial(); }

uint32_t TextureStorage::GlTarget() const { return cube_ ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D; }

void TextureStorage::SurfaceWritten(uint32_t index, const RECT& area) { Upload(index, area); }

bool TextureStorage::RestoreCopy(uint32_t index, uint8_t* bytes) {
  if (!Live()) return false;
  ReadLevel(index, bytes);
  return true;
}

void TextureStorage::KeepCopies(uint64_t context) {
  for (TextureStorage* storage : Storages()) {
    if (storage->context_ != context || !storage->Live()) continue;
    for (MemorySurface* surface : storage->surfaces_)
      if (surface->CopyDropped()) surface->TakeCopyBack();
  }
}

bool TextureStorage::MarkChanged(uint32_t face, const RECT* area) {
  MemorySurface* surface = Level(face, 0);
  if (!surface) return false;
  const RECT whole{0, 0, static_cast<LONG>(surface->Width()), static_cast<LONG>(surface->Height())};
  if (!area) area = &whole;
  if (area->left < 0 || area->top < 0 || area->right > whole.right || area->bottom > whole.bottom ||
      area->left >= area->right || area->top >= area->bottom)
    return false;
  Upload(face * levelCount_, *area);
  return true;
}

void TextureStorage::Upload(uint32_t index, const RECT& area) {
  MemorySurface& surface = *surfaces_[index];
  // A dropped copy is what OpenGL holds already.
  if (!Live() || surface.CopyDropped()) return;
  const FormatInfo& format = surface.Format();
  const bool whole = area.left == 0 && area.top == 0 && area.right == static_cast<LONG>(surface.Width()) &&
                     area.bottom == static_cast<LONG>(surface.Height());
  // OpenGL takes a level it does not hold yet, and compressed blocks, whole.
  if (whole || !uploaded_[index] || format.bytesPerBlock || !surface.Bytes()) {
    Specify(index, surface.Bytes());
    DropCopyIfHeld(index);
    // What is still zero after a whole level came in need not stay in memory.
    surface.ReleaseZeroPages();
    return;
  }
  const uint32_t face = index / levelCount_, level = index % levelCount_;
  glBindTexture(GlTarget(), glName_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(surface.Pitch() / format.bytesPerTexel));
  const uint8_t* first =
      surface.Bytes() + static_cast<size_t>(area.top) * surface.Pitch() + static_cast<size_t>(area.left) * format.bytesPerTexel;
  glTexSubImage2D(cube_ ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : GL_TEXTURE_2D, static_cast<GLint>(level),
                  area.left, area.top, area.right - area.left, area.bottom - area.top, format.glFormat,
                  format.glType, first);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void TextureStorage::Specify(uint32_t index, const uint8_t* bytes) {
  const MemorySurface& surface = *surfaces_[index];
  const FormatInfo& format = surface.Format();
  const uint32_t face = index / levelCount_, level = index % levelCount_;
  const GLenum target = cube_ ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : GL_TEXTURE_2D;
  const auto width = static_cast<GLsizei>(surface.Width()), height = static_cast<GLsizei>(surface.Height());
  glBindTexture(GlTarget(), glName_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  if (format.bytesPerBlock) {
    glCompressedTexImage2D(target, static_cast<GLint>(level), format.glInternalFormat, width, height, 0,
                           static_cast<GLsizei>(surface.ByteCount()), bytes);
  } else {
    glTexImage2D(target, static_cast<GLint>(level), static_cast<GLint>(format.glInternalFormat), width, height, 0,
                 format.glFormat, format.glType, bytes);
  }
  const bool firstLowerLevel = level == 1 && !uploaded_[index];
  uploaded_[index] = true;
  if (firstLowerLevel && uploaded_[face * levelCount_]) MoveTopLevelIntoChain(face);
  const uint32_t before = sampledLevels_;
  auto everyFaceHas = [this](uint32_t level) {
    for (uint32_t face = 0; face < FaceCount(); ++face)
      if (!uploaded_[face * levelCount_ + level]) return false;
    return true;
  };
  while (sampledLevels_ < levelCount_ && everyFaceHas(sampledLevels_)) ++sampledLevels_;
  if (sampledLevels_ != before)
    glTexParameteri(GlTarget(), GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(sampledLevels_ - 1));
}

void TextureStorage::MoveTopLevelIntoChain(uint32_t face) {
  const uint32_t index = face * levelCount_;
  // What OpenGL holds, not the memory copy: an area written there without
  // being marked changed stays out of OpenGL.
  std::vector<uint8_t> held(surfaces_[index]->ByteCount());
  ReadLevel(index, held.data());
  Specify(index, held.data());
}

void TextureStorage::ReadLevel(uint32_t index, uint8_t* bytes) {
  const FormatInfo& format = surfaces_[index]->Format();
  const uint32_t face = index / levelCount_, level = index % levelCount_;
  const GLenum target = cube_ ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : GL_TEXTURE_2D;
  glBindTexture(GlTarget(), glName_);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  if (format.bytesPerBlock)
    glGetCompressedTexImage(target, static_cast<GLint>(level), bytes);
  else
    glGetTexImage(target, static_cast<GLint>(level), format.glFormat, format.glType, bytes);
}

void TextureStorage::DropCopyIfHeld(uint32_t index) {
  MemorySurface& surface = *surfaces_[index];
  if (!keepsCopies_ && surface.Bytes() && HeldExactly(surface.Format())) surface.DropCopy();
}

TextureStorage& StorageOf(IDirect3DBaseTexture8* texture) {
  return texture->GetType() == D3DRTYPE_CUBETEXTURE ? static_cast<CubeTexture*>(texture)->Storage()
                                                    : static_cast<Texture*>(texture)->Storage();
}

}  // namespace platform::d3d8
