#pragma once

#include "Core/Base/Singletone.h"
#include "Core/File/Win32/UserDataFileContainerWin32.h"

namespace file {

// The per-user folder ("Orvane/Lanternfall2/" under the application-data
// folder). The application start hands the folder in with SetRootPath; until
// then paths are taken from the current folder.
class UserDataFileContainer : public UserDataFileContainerWin32, public base::Singletone<UserDataFileContainer> {};

}  // namespace file
