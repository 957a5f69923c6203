#pragma once

#include <optional>
#include <string>

namespace platform {

// Paths are UTF-8 as the operating system gives them; nullopt when unknown.
std::optional<std::string> ExecutablePath();

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
std::optional<std::string> ApplicationDataFolder();

// The user's home folder from the account database, for when the environment
// names none.
std::optional<std::string> DocumentsFolder();

}  // namespace platform
