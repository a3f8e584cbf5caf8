// Line breaking and glyph lookup, the per-draw work of a cached text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "render/fonts/glyph_cache.h"
#include "render/fonts/text_layout.h"

namespace {

const std::u16string kText =
    u"The explorer walks the path across the board towards the exit; critters come out of their nests "
    u"when he comes near, and on some levels a rival races him there. \u00A3Gold\u00A3 and treasures wait.";

void BM_GlyphLookup(benchmark::State& state) {
  GlyphCache cache;
  cache.Build(21, 6, 12);
  for (char16_t c : kText) cache.Get(c, 0.0f);
  for (auto _ : state)
    for (char16_t c : kText) benchmark::DoNotOptimize(cache.Get(c, 1.0f));
  state.SetItemsProcessed(state.iterations() * int64_t(kText.size()));
}
BENCHMARK(BM_GlyphLookup);

void BM_BreakLines(benchmark::State& state) {
  GlyphCache::Glyph glyph;
  glyph.width = 7;
  std::vector<const GlyphCache::Glyph*> glyphs(kText.size(), &glyph);
  std::vector<text::Line> lines(text::kMaxLines);
  const int box = int(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(text::BreakLines(kText.data(), int(kText.size()), glyphs.data(), box, lines.data()));
  state.SetItemsProcessed(state.iterations() * int64_t(kText.size()));
}
BENCHMARK(BM_BreakLines)->Arg(800)->Arg(200);

}  // namespace
