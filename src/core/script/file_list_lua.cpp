// Lua bindings of the file lists. Scripts get lists only from "SearchDir".
#include <luabind/luabind.hpp>

#include "core/script/file_list.h"
#include "core/script/lua_adapter.h"

namespace script {

void FileList::RegisterLua(LuaPlus::LuaState* state) {
  luabind::module(state->GetCState())[
      luabind::class_<FileList>("FileList")
          .def("Build", &FileList::Build)
          .def("Reset", &FileList::Reset)
          .def("GetFileC", &FileList::GetFileCount)
          .def("GetFileName", IntsFromLua<&FileList::GetFileName>)
          .def("GetBaseFileName", IntsFromLua<&FileList::GetBaseFileName>)
          .def("GetExtension", IntsFromLua<&FileList::GetExtension>)
          .def("IsDirectory", IntsFromLua<&FileList::IsDirectory>)
          .def("IsHidden", IntsFromLua<&FileList::IsHidden>)
          .def("IsSystem", IntsFromLua<&FileList::IsSystem>)
          .def("IsArchive", IntsFromLua<&FileList::IsArchive>)
          .def("IsReadOnly", IntsFromLua<&FileList::IsReadOnly>)
          .def("SortNumber", &FileList::SortNumber),
      luabind::def("SearchDir", &FileList::SearchDir)];
}

}  // namespace script
