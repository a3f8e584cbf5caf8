// Lua bindings of the file lists. Scripts get lists only from "SearchDir".
#include <luabind/luabind.hpp>

#include "core/script/file_list.h"

namespace script {

namespace {
// An accessor with the Lua number truncated to the index, as everywhere in
// the engine.
template <typename Result, Result (FileList::*Accessor)(int) const>
Result AtLuaIndex(const FileList& list, double index) {
  return (list.*Accessor)(LuaPlus::NumberToInt(index));
}
}  // namespace

void FileList::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<FileList>("FileList")
          .def("Build", &FileList::Build)
          .def("Reset", &FileList::Reset)
          .def("GetFileC", &FileList::GetFileCount)
          .def("GetFileName", &AtLuaIndex<std::string, &FileList::GetFileName>)
          .def("GetBaseFileName", &AtLuaIndex<std::string, &FileList::GetBaseFileName>)
          .def("GetExtension", &AtLuaIndex<std::string, &FileList::GetExtension>)
          .def("IsDirectory", &AtLuaIndex<bool, &FileList::IsDirectory>)
          .def("IsHidden", &AtLuaIndex<bool, &FileList::IsHidden>)
          .def("IsSystem", &AtLuaIndex<bool, &FileList::IsSystem>)
          .def("IsArchive", &AtLuaIndex<bool, &FileList::IsArchive>)
          .def("IsReadOnly", &AtLuaIndex<bool, &FileList::IsReadOnly>)
          .def("SortNumber", &FileList::SortNumber),
      luabind::def("SearchDir", &FileList::SearchDir)];
}

}  // namespace script
