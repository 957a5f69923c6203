#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Platform/ShaderCompiler.h"

namespace platform {

// Translated shaders kept in a folder by a hash of what they were made from,
// so that a start with unchanged texts translates nothing. An entry is
// written whole under a temporary name and then renamed into place; one that
// does not read back whole and consistent is ignored and made again.

// Empty turns the cache off (the default). The folder is made when missing.
void SetShaderCacheFolder(const std::string& folder);

// Names the translation of these inputs by this translator.
std::string ShaderCacheKey(std::string_view source, std::string_view entryPoint, std::string_view profile,
                           std::string_view sourceName);
std::optional<CompiledShader> LoadCachedShader(const std::string& key);
// Failures only cost the next start a translation: they are not reported.
void StoreCachedShader(const std::string& key, const CompiledShader& shader);

// The entry's bytes, and back; nullopt for anything but a whole, consistent
// entry of this format.
std::string EncodeCompiledShader(const CompiledShader& shader);
std::optional<CompiledShader> DecodeCompiledShader(std::string_view bytes);

}  // namespace platform
