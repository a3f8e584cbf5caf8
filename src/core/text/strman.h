// The localised string table: UTF-16 texts keyed by the name key of their
// UTF-8 key text, filled from a binary "bcol" language file.
#pragma once
#include <string>

#include "core/text/named_registry.h"

namespace lang {

class StrMan : public NamedRegistry<std::u16string> {
 public:
  // Replaces the table with the file's texts; failures are logged and leave
  // the table holding what was read before them.
  void LoadLangBin(const std::string& path);

  // The text under the key, or an empty text when there is none.
  const std::u16string& Lookup(const std::string& key) const;
  const std::u16string& LookupWide(const std::u16string& key) const;
};

StrMan& GetStrMan();

}  // namespace lang
