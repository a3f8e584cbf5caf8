// Language files ("bcol"): every record read into the string table.
#include "core/text/lang_file.h"
#include "core/text/strman.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lang::StrMan table;
  table.LoadLangBin(fuzz::WriteInput("input.bin", data, size));
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  LangFile file;
  file.Magic().Record(u"title", u"Vantor").Record(u"greeting", u"Hello \u00A3gold\u00A3").Record(u"e", u"\u00E9t\u00E9");
  seeds.AddText("english.bin", file.Bytes());
}
