#include "spreadsheet/xls/compound_file.h"

#include <gsf/gsf.h>

#include <algorithm>
#include <cctype>
#include <mutex>

#include "spreadsheet/xls/biff_error.h"

namespace tabulo::spreadsheet::xls {

namespace {

// No workbook stream comes near this; a damaged directory entry may claim more.
constexpr gsf_off_t kMaxStreamSize = gsf_off_t{1} << 30;
constexpr std::size_t kChunk = 1 << 16;

struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
using ErrorPtr = std::unique_ptr<GError, GErrorFree>;

template <typename T>
struct ObjectUnref {
  void operator()(T* object) const { g_object_unref(object); }
};
template <typename T>
using ObjectPtr = std::unique_ptr<T, ObjectUnref<T>>;

void Discard(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void InitGsf() {
  static std::once_flag once;
  std::call_once(once, [] {
    gsf_init();
    // libgsf reports each inconsistency of a damaged container on stderr before
    // failing or repairing; the reader's own error already says the file is damaged.
    const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL);
    // Some of its warnings carry no domain; nothing else in the process logs through GLib.
    for (const char* domain : {static_cast<const char*>(nullptr), "libgsf", "libgsf:msole"})
      g_log_set_handler(domain, levels, Discard, nullptr);
  });
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

void CompoundFile::Unref::operator()(_GsfInfile* object) const {
  g_object_unref(object);
}

CompoundFile::CompoundFile(const std::filesystem::path& path) {
  InitGsf();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw BiffError("it is a folder, not a file");
  GError* rawError = nullptr;
  ObjectPtr<GsfInput> input(gsf_input_stdio_new(path.c_str(), &rawError));
  ErrorPtr error(rawError);
  if (!input) {
    if (!std::filesystem::exists(path, ec)) throw BiffError("the file does not exist");
    throw BiffError(std::string("the file cannot be read (") +
                    (error ? error->message : "unknown reason") + ")");
  }
  if (gsf_input_size(input.get()) == 0) throw BiffError("the file is empty");
  rawError = nullptr;
  GsfInfile* root = gsf_infile_msole_new(input.get(), &rawError);
  error.reset(rawError);
  if (root == nullptr)
    throw BiffError(
        "it is not an Excel 97-2003 workbook (no valid OLE2 compound file structure; the file "
        "is damaged or of another type)");
  root_.reset(root);
}

CompoundFile::~CompoundFile() = default;

std::vector<std::string> CompoundFile::names() const {
  std::vector<std::string> result;
  const int count = gsf_infile_num_children(root_.get());
  for (int i = 0; i < count; ++i)
    if (const char* name = gsf_infile_name_by_index(root_.get(), i)) result.emplace_back(name);
  return result;
}

std::optional<std::vector<std::uint8_t>> CompoundFile::readStream(std::string_view name) const {
  const int count = gsf_infile_num_children(root_.get());
  for (int i = 0; i < count; ++i) {
    const char* childName = gsf_infile_name_by_index(root_.get(), i);
    if (childName == nullptr || !EqualIgnoringCase(childName, name)) continue;
    ObjectPtr<GsfInput> child(gsf_infile_child_by_index(root_.get(), i));
    if (!child) continue;
    const gsf_off_t size = gsf_input_size(child.get());
    if (size < 0 || size > kMaxStreamSize)
      throw BiffError("its " + std::string(name) +
                      " stream has an impossible size (the file is "
                      "damaged)");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const std::size_t step = std::min(kChunk, bytes.size() - done);
      if (gsf_input_read(child.get(), step, bytes.data() + done) == nullptr)
        throw BiffError("its " + std::string(name) +
                        " stream cannot be read completely (the file is truncated or damaged)");
      done += step;
    }
    return bytes;
  }
  return std::nullopt;
}

}  // namespace tabulo::spreadsheet::xls
