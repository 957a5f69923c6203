#include "Platform/ShaderCache.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "Platform/File.h"
#include "Platform/FileSystem.h"
#include "Platform/GraphicsDevice.h"

namespace platform {
namespace {

// Changes whenever the translation or this format does, so that entries of
// an older program are never taken.
constexpr std::string_view kMagic = "LFSHADER3";
// Far above any translated shader; a larger file is not an entry.
constexpr std::uint64_t kMaxEntryBytes = 4u << 20;

std::string& CacheFolder() {
  static std::string folder;
  return folder;
}

std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash = 14695981039346656037ull) {
  for (const unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string EntryPath(const std::string& key) { return CacheFolder() + "/" + key + ".shader"; }

class Writer {
 public:
  void Word(std::int64_t value) { Raw(&value, sizeof value); }
  void Text(std::string_view text) {
    Word(static_cast<std::int64_t>(text.size()));
    bytes_.append(text);
  }
  std::string Finish() {
    Word(static_cast<std::int64_t>(Fnv1a(bytes_)));
    return std::move(bytes_);
  }

 private:
  void Raw(const void* data, std::size_t size) { bytes_.append(static_cast<const char*>(data), size); }
  std::string bytes_;
};

// Every read is checked against what is left, so a damaged entry fails
// cleanly wherever it ends.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool Word(std::int64_t* value) {
    if (bytes_.size() - position_ < sizeof *value) return false;
    std::memcpy(value, bytes_.data() + position_, sizeof *value);
    position_ += sizeof *value;
    return true;
  }
  bool Int(int* value, int low, int high) {
    std::int64_t word = 0;
    if (!Word(&word) || word < low || word > high) return false;
    *value = static_cast<int>(word);
    return true;
  }
  bool Text(std::string* text) {
    std::int64_t size = 0;
    if (!Word(&size) || size < 0 || static_cast<std::uint64_t>(size) > bytes_.size() - position_) return false;
    text->assign(bytes_.substr(position_, static_cast<std::size_t>(size)));
    position_ += static_cast<std::size_t>(size);
    return true;
  }
  std::size_t Position() const { return position_; }
  bool AtEnd() const { return position_ == bytes_.size(); }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

// The component ranges are those the constant table's setters rely on; they
// check register indices themselves. A sampler's register is its texture
// stage, so it may lie past the numeric registers.
bool ReadConstant(Reader& reader, ShaderConstant* constant) {
  int kind = 0;
  int rowPerRegister = 0;
  if (!reader.Text(&constant->name) || !reader.Int(&kind, 0, static_cast<int>(ShaderConstantKind::kSampler)) ||
      !reader.Int(&constant->registerIndex, 0, GraphicsDevice::kConstantRegisters) ||
      !reader.Int(&constant->registerCount, 0, GraphicsDevice::kConstantRegisters) || !reader.Int(&constant->firstComponent, 0, 3) ||
      !reader.Int(&constant->components, 0, 4) || !reader.Int(&constant->rows, 0, 4) ||
      !reader.Int(&constant->columns, 0, 4) || !reader.Int(&rowPerRegister, 0, 1) ||
      !reader.Int(&constant->elementStride, 0, GraphicsDevice::kConstantRegisters)) {
    return false;
  }
  constant->kind = static_cast<ShaderConstantKind>(kind);
  constant->rowPerRegister = rowPerRegister != 0;
  return constant->firstComponent + constant->components <= 4;
}

bool ReadWhole(const std::string& path, std::string* bytes) {
  File file;
  if (!file.Open(path, FileAccess::kRead, FileCreation::kOpenExisting)) return false;
  const std::optional<std::uint64_t> size = file.Size();
  if (!size || *size > kMaxEntryBytes) return false;
  bytes->resize(static_cast<std::size_t>(*size));
  const std::optional<std::uint64_t> read = file.Read(bytes->data(), *size);
  return read && *read == *size;
}

}  // namespace

void SetShaderCacheFolder(const std::string& folder) {
  CacheFolder() = folder;
  if (!folder.empty() && GetEntryKind(folder) == EntryKind::kMissing) MakeFolder(folder);
}

std::string ShaderCacheKey(std::string_view source, std::string_view entryPoint, std::string_view profile,
                           std::string_view sourceName) {
  std::uint64_t hash = Fnv1a(kMagic);
  for (const std::string_view part : {source, entryPoint, profile, sourceName}) {
    // The length keeps "ab" + "c" apart from "a" + "bc".
    hash = Fnv1a(std::to_string(part.size()) + ":", hash);
    hash = Fnv1a(part, hash);
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string key(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) key[static_cast<std::size_t>(i)] = kDigits[hash & 0xF];
  return key;
}

std::string EncodeCompiledShader(const CompiledShader& shader) {
  Writer writer;
  writer.Text(kMagic);
  writer.Word(static_cast<std::int64_t>(shader.stage));
  writer.Text(shader.glsl);
  writer.Text(shader.warnings);
  const ShaderConstantTable& table = shader.constants;
  writer.Word(table.GetRegisterCount());
  writer.Word(static_cast<std::int64_t>(table.GetConstants().size()));
  for (const ShaderConstant& constant : table.GetConstants()) {
    writer.Text(constant.name);
    for (const int field : {static_cast<int>(constant.kind), constant.registerIndex, constant.registerCount,
                            constant.firstComponent, constant.components, constant.rows, constant.columns,
                            static_cast<int>(constant.rowPerRegister), constant.elementStride}) {
      writer.Word(field);
    }
  }
  return writer.Finish();
}

std::optional<CompiledShader> DecodeCompiledShader(std::string_view bytes) {
  constexpr std::size_t kChecksumBytes = sizeof(std::int64_t);
  if (bytes.size() < kChecksumBytes) return std::nullopt;
  const std::string_view body = bytes.substr(0, bytes.size() - kChecksumBytes);
  Reader checksum(bytes.substr(body.size()));
  std::int64_t stored = 0;
  if (!checksum.Word(&stored) || static_cast<std::uint64_t>(stored) != Fnv1a(body)) return std::nullopt;

  Reader reader(body);
  std::string magic;
  int stage = 0;
  int registers = 0;
  int count = 0;
  CompiledShader shader;
  if (!reader.Text(&magic) || magic != kMagic ||
      !reader.Int(&stage, 0, static_cast<int>(ShaderStage::kPixel)) || !reader.Text(&shader.glsl) ||
      !reader.Text(&shader.warnings) || !reader.Int(&registers, 0, GraphicsDevice::kConstantRegisters) ||
      !reader.Int(&count, 0, GraphicsDevice::kConstantRegisters * 4)) {
    return std::nullopt;
  }
  std::vector<ShaderConstant> constants(static_cast<std::size_t>(count));
  for (ShaderConstant& constant : constants) {
    if (!ReadConstant(reader, &constant)) return std::nullopt;
  }
  if (!reader.AtEnd()) return std::nullopt;
  shader.stage = static_cast<ShaderStage>(stage);
  shader.constants = ShaderConstantTable(shader.stage, std::move(constants), registers);
  return shader;
}

std::optional<CompiledShader> LoadCachedShader(const std::string& key) {
  if (CacheFolder().empty()) return std::nullopt;
  std::string bytes;
  if (!ReadWhole(EntryPath(key), &bytes)) return std::nullopt;
  return DecodeCompiledShader(bytes);
}

void StoreCachedShader(const std::string& key, const CompiledShader& shader) {
  if (CacheFolder().empty()) return;
  const std::string bytes = EncodeCompiledShader(shader);
  const std::string path = EntryPath(key);
  const std::string temporary = path + ".tmp";
  // Whatever a killed run left at the temporary name is replaced, never
  // written through.
  RemoveFile(temporary);
  bool written = false;
  {
    File file;
    written = file.Open(temporary, FileAccess::kWrite, FileCreation::kCreateNew) &&
              file.Write(bytes.data(), bytes.size()) == bytes.size() && file.Sync() && file.Close();
  }
  if (!written || !RenameFile(temporary, path)) {
    RemoveFile(temporary);
    return;
  }
  SyncFolder(CacheFolder());
}

}  // namespace platform
