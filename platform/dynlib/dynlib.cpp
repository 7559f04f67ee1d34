#include "platform/dynlib/dynlib.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/files/files.h"

// The build names the install's folders; these are its defaults.
#ifndef TOBRIN_LIBDIR
#define TOBRIN_LIBDIR "/usr/local/lib/tobrin"
#endif
#ifndef TOBRIN_INSTALL_BINDIR
#define TOBRIN_INSTALL_BINDIR "bin"
#endif
#ifndef TOBRIN_INSTALL_LIBDIR
#define TOBRIN_INSTALL_LIBDIR "lib/tobrin"
#endif

namespace platform::dynlib {

namespace {

std::mutex folderMutex;
std::string extraFolder;

std::string ExecutableFolder() {
  std::string exe = files::ToPosix(files::ExecutablePath());
  std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

// A program in an install's binary folder looks in that install's library
// folder, whatever prefix it was installed under; empty otherwise.
std::string InstalledLibraryFolder(const std::string& ownFolder) {
  const std::string bin = std::string("/") + TOBRIN_INSTALL_BINDIR;
  if (TOBRIN_INSTALL_BINDIR[0] == '/' || TOBRIN_INSTALL_LIBDIR[0] == '/') return std::string();
  if (ownFolder.size() <= bin.size() || !ownFolder.ends_with(bin)) return std::string();
  return ownFolder.substr(0, ownFolder.size() - bin.size()) + "/" + TOBRIN_INSTALL_LIBDIR;
}

std::vector<std::string> SearchFolders() {
  std::vector<std::string> folders;
  const std::string own = ExecutableFolder();
  if (!own.empty()) folders.push_back(own);
  {
    std::lock_guard lock(folderMutex);
    if (!extraFolder.empty()) folders.push_back(extraFolder);
  }
  if (std::string installed = InstalledLibraryFolder(own); !installed.empty())
    folders.push_back(installed);
  folders.push_back(TOBRIN_LIBDIR);
  return folders;
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// dlopen only ever sees an absolute path, so the loader's own search (and
// with it the current folder) never comes into play.
Module OpenFile(const std::string& posixPath) {
  if (posixPath.empty() || posixPath[0] != '/' || !IsRegularFile(posixPath)) return nullptr;
  return dlopen(posixPath.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace

Module LoadLibrary(std::string_view fileName) {
  if (fileName.empty()) return nullptr;
  if (fileName.find_first_of("\\/:") != std::string_view::npos) {
    std::string posix = files::ToPosix(fileName);
    if (!posix.empty() && posix[0] != '/') return nullptr;  // relative: current folder
    return OpenFile(posix);
  }
  for (const std::string& folder : SearchFolders()) {
    std::string candidate = files::MatchCase(folder + "/" + std::string(fileName));
    if (Module module = OpenFile(candidate)) return module;
  }
  return nullptr;
}

void* GetProcAddress(Module module, std::string_view name) {
  if (!module) return nullptr;
  return dlsym(module, std::string(name).c_str());
}

void FreeLibrary(Module module) {
  if (module) dlclose(module);
}

void SetLibrarySearchFolder(std::string_view posixFolder) {
  std::lock_guard lock(folderMutex);
  extraFolder = std::string(posixFolder);
}

}  // namespace platform::dynlib
