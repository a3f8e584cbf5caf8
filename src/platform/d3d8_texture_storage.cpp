#include "platform/d3d8_texture_storage.h"

#include <algorithm>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

namespace platform::d3d8 {

uint32_t TextureStorage::FullChainLength(uint32_t width, uint32_t height) {
  uint32_t levels = 1;
  for (uint32_t side = std::max(width, height); side > 1; side /= 2) ++levels;
  return levels;
}

TextureStorage::TextureStorage(bool cube, const FormatInfo& format, uint32_t width, uint32_t height,
                               uint32_t levels, D3DPOOL pool, DWORD usage, IUnknown* container)
    : cube_(cube) {
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
  glGenTextures(1, &glName_);
  glBindTexture(GlTarget(), glName_);
  glTexParameteri(GlTarget(), GL_TEXTURE_MAX_LEVEL, 0);
  for (uint32_t face = 0; face < FaceCount(); ++face) Upload(face * levelCount_);
}

TextureStorage::~TextureStorage() {
  glDeleteTextures(1, &glName_);
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

uint32_t TextureStorage::GlTarget() const { return cube_ ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D; }

void TextureStorage::SurfaceWritten(uint32_t index) { Upload(index); }

void TextureStorage::Upload(uint32_t index) {
  MemorySurface& surface = *surfaces_[index];
  const FormatInfo& format = surface.Format();
  uint32_t face = index / levelCount_, level = index % levelCount_;
  GLenum target = cube_ ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : GL_TEXTURE_2D;
  glBindTexture(GlTarget(), glName_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  if (format.bytesPerBlock) {
    glCompressedTexImage2D(target, static_cast<GLint>(level), format.glInternalFormat,
                           static_cast<GLsizei>(surface.Width()), static_cast<GLsizei>(surface.Height()), 0,
                           static_cast<GLsizei>(surface.ByteCount()), surface.Bytes());
  } else {
    glTexImage2D(target, static_cast<GLint>(level), static_cast<GLint>(format.glInternalFormat),
                 static_cast<GLsizei>(surface.Width()), static_cast<GLsizei>(surface.Height()), 0,
                 format.glFormat, format.glType, surface.Bytes());
  }
  surface.ReleaseZeroPages();
  uploaded_[index] = true;
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

}  // namespace platform::d3d8
