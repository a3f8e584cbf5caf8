// Sprite-set files: every entry read, registered over a real image, and its
// frames looked up at clocks across and beyond a cycle, as sprites draw them.
// The image ("img/strip.png", four frames) comes from an archive the target
// mounts, so inputs can name it wherever the target runs.
#include <cmath>
#include <limits>

#include "core/files/archive_writer.h"
#include "core/files/vfs.h"
#include "fuzz_target.h"
#include "render/dx8/dx8_graphics.h"
#include "render/image_files.h"
#include "render/sprites/sprite_set.h"

namespace {

// A device to load images with, and the archive holding the strip.
bool Prepare() {
  Dx8Graphics::Create();
  Dx8Graphics* graphics = GetDx8Graphics();
  if (!graphics->Init() || !graphics->SetDisplayMode(800, 600, false, false)) return false;
  const std::string image = fuzz::ScratchPath("strip.png");
  image_files::WritePng(image, 16, 4, image_files::TwoBands(16, 4, 0xFFFF0000u, 0xFF0000FFu));
  const fuzz::Bytes bytes = fuzz::ReadBytes(image);
  const std::string archive = fuzz::ScratchPath("sprites.arc");
  vfs::ArchiveWriter writer;
  if (!writer.Open(archive) || !writer.Add("img/strip.png", bytes.data(), static_cast<uint32_t>(bytes.size())) ||
      !writer.Finish())
    return false;
  vfs::GetVFS().AddArchive(archive);
  return true;
}

void Play(const ui::SpriteSetEntry& entry) {
  const float cycle = entry.GetCycle();
  for (float clock : {0.0f, cycle * 0.5f, cycle, cycle * 3.5f, -1.0f, std::numeric_limits<float>::infinity(),
                      std::nanf("")}) {
    math::Vec2 uvMin, uvMax;
    entry.GetFrameUVs(clock, uvMin, uvMax);
    entry.Advance(clock, 0.25f);
  }
  for (int frame : {-1, 0, entry.frameCount - 1, entry.frameCount, std::numeric_limits<int>::max()}) {
    math::Vec2 uvMin, uvMax;
    entry.GetFrameUVsByIndex(frame, uvMin, uvMax);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool prepared = Prepare();
  if (!prepared) return 0;
  ui::SpriteSet set;
  set.Load(fuzz::WriteInput("sprites.lua", data, size));
  for (const auto& entry : set.Entries()) Play(*entry.second);
  return 0;
}

// The game's own sprite sets, and one of the strip in every form.
void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.AddSourceFile("data/img/sprites.lua");
  seeds.AddSourceFile("data/ui_img/sprites.lua");
  seeds.AddText("strip.lua",
                "Sprites = {\n"
                "  { Name = \"plain\", ImageFile = \"img/strip.png\", SpriteC = 4, FrameTime = 8 },\n"
                "  { Name = \"framed\", ImageFile = \"img/strip.png\", SpriteC = 2, FrameTime = 0.5,\n"
                "    FrameBorderX = 1, FrameBorderY = 0.5, FlipU = 1, FlipV = true, ClipX = 3, ClipY = 1 },\n"
                "  { Name = \"still\", ImageFile = \"img/strip.png\", SpriteC = 1, FrameTime = 0 },\n"
                "}\n");
}
