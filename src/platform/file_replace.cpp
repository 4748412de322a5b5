#include "platform/file_replace.h"

namespace tabulo::platform {
namespace fs = std::filesystem;

std::optional<std::string> ReplaceRefusal(const fs::path& target) {
  std::error_code ec;
  fs::file_status status = fs::status(target, ec);
  if (ec || !fs::exists(status)) return std::nullopt;
  if (fs::is_directory(status)) return "it is a folder";
  constexpr fs::perms kAnyWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & kAnyWrite) == fs::perms::none)
    return "it is read-only; make it writable or choose another file";
  return std::nullopt;
}

void KeepPermissions(const fs::path& target, const fs::path& replacement) {
  std::error_code ec;
  fs::file_status status = fs::status(target, ec);
  if (!ec && fs::exists(status)) fs::permissions(replacement, status.permissions(), ec);
}

}  // namespace tabulo::platform
