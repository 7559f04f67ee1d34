// LoadLibrary/GetProcAddress/FreeLibrary over dlopen. A library is looked
// for in the program's own folder first, then in the library folder of the
// install the program lies in (<prefix>/bin -> <prefix>/lib/tobrin), then
// in that of the prefix the build was made for; never in the current folder.
#pragma once

#include <string_view>

namespace platform::dynlib {

using Module = void*;

// nullptr when the library cannot be found or loaded. A name with a path
// (Windows or POSIX) is loaded from there only.
Module LoadLibrary(std::string_view fileName);
void* GetProcAddress(Module module, std::string_view name);
void FreeLibrary(Module module);

// Extra folder searched after the program's own (tests point it at the
// build's library folder). Empty resets it.
void SetLibrarySearchFolder(std::string_view posixFolder);

}  // namespace platform::dynlib
