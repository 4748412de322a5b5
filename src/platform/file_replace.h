#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace tabulo::platform {

// Helpers for replacing a user's file by renaming a new file over it.

// Why `target` must not be replaced, or nothing: a file nobody may write is the
// user's way of keeping it as it is.
std::optional<std::string> ReplaceRefusal(const std::filesystem::path& target);

// Gives `replacement` the permissions of `target`, when that exists, so replacing a
// file keeps who may read and write it.
void KeepPermissions(const std::filesystem::path& target, const std::filesystem::path& replacement);

}  // namespace tabulo::platform
