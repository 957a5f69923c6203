#include "Platform/ShaderCompilerSource.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <set>
#include <utility>
#include <vector>

namespace platform {
namespace {

// glslang parses recursively; brackets nested deeper than any real shader
// would need could exhaust the stack on a hostile text.
constexpr std::size_t kMaxNesting = 64;

struct Token {
  std::size_t begin = 0;
  std::size_t end = 0;
  int line = 1;
  // Brackets of any kind open before this token.
  int nesting = 0;
};

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierPart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

char Closing(char open) { return open == '(' ? ')' : open == '[' ? ']' : '}'; }

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

class TokenList {
 public:
  explicit TokenList(std::string_view source) : source_(source) {}

  bool Scan(std::string* error) {
    // glslang's parser crashes on some brackets that do not pair up.
    std::vector<std::pair<char, int>> open;
    int line = 1;
    std::size_t i = 0;
    const auto countLines = [&](std::size_t from, std::size_t to) {
      line += static_cast<int>(std::count(source_.begin() + static_cast<std::ptrdiff_t>(from),
                                          source_.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
    };
    while (i < source_.size()) {
      const char c = source_[i];
      if (c == '\n') {
        ++line;
        ++i;
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        ++i;
      } else if (source_.substr(i, 2) == "//") {
        i = std::min(source_.find('\n', i), source_.size());
      } else if (source_.substr(i, 2) == "/*") {
        const std::size_t close = source_.find("*/", i + 2);
        const std::size_t end = close == std::string_view::npos ? source_.size() : close + 2;
        countLines(i, end);
        i = end;
      } else {
        std::size_t end = i + 1;
        if (IsIdentifierStart(c)) {
          while (end < source_.size() && IsIdentifierPart(source_[end])) ++end;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
          while (end < source_.size() && (IsIdentifierPart(source_[end]) || source_[end] == '.')) ++end;
        } else if (c == '"') {
          const std::size_t close = source_.find('"', end);
          end = close == std::string_view::npos ? source_.size() : close + 1;
        }
        if (c == '}' || c == ')' || c == ']') {
          if (open.empty() || Closing(open.back().first) != c) {
            *error = "line " + std::to_string(line) + ": '" + c + "' closes no bracket";
            return false;
          }
          open.pop_back();
        }
        tokens_.push_back({i, end, line, static_cast<int>(open.size())});
        if (c == '{' || c == '(' || c == '[') {
          open.push_back({c, line});
          if (open.size() > kMaxNesting) {
            *error = "line " + std::to_string(line) + ": brackets nested too deeply";
            return false;
          }
        }
        countLines(i, end);
        i = end;
      }
    }
    if (!open.empty()) {
      *error = "line " + std::to_string(open.back().second) + ": '" + open.back().first + "' is never closed";
      return false;
    }
    return true;
  }

  std::size_t Size() const { return tokens_.size(); }
  const Token& operator[](std::size_t i) const { return tokens_[i]; }
  std::string_view Text(std::size_t i) const {
    return i < tokens_.size() ? source_.substr(tokens_[i].begin, tokens_[i].end - tokens_[i].begin) : "";
  }
  bool Is(std::size_t i, std::string_view text) const { return Text(i) == text; }
  bool IsIdentifier(std::size_t i) const { return !Text(i).empty() && IsIdentifierStart(Text(i)[0]); }

  // At file scope, where a declaration can begin; a preprocessor line
  // before it ends with no ';'.
  bool StartsDeclaration(std::size_t i) const {
    return tokens_[i].nesting == 0 &&
           (i == 0 || Is(i - 1, ";") || Is(i - 1, "}") || tokens_[i - 1].line < tokens_[i].line);
  }

  // The token after the bracket that closes the one at open; Size() when
  // it is never closed.
  std::size_t AfterClose(std::size_t open) const {
    for (std::size_t i = open + 1; i < tokens_.size(); ++i) {
      if (tokens_[i].nesting == tokens_[open].nesting && (Is(i, ")") || Is(i, "}") || Is(i, "]"))) return i + 1;
    }
    return tokens_.size();
  }

  // The first ';' at the nesting of from, or Size().
  std::size_t StatementEnd(std::size_t from) const {
    for (std::size_t i = from; i < tokens_.size(); ++i) {
      if (tokens_[i].nesting == tokens_[from].nesting && Is(i, ";")) return i;
      if (tokens_[i].nesting < tokens_[from].nesting) break;
    }
    return tokens_.size();
  }

 private:
  std::string_view source_;
  std::vector<Token> tokens_;
};

bool IsPositionSemantic(std::string_view text) {
  const std::string upper = Upper(text);
  return upper == "POSITION" || upper == "POSITION0";
}

class Rewriter {
 public:
  Rewriter(std::string_view source, const TokenList& tokens) : text_(source), tokens_(tokens) {}

  // Spaces over the tokens [first, last), keeping line breaks.
  void Blank(std::size_t first, std::size_t last) {
    if (first >= last || last > tokens_.Size()) return;
    for (std::size_t i = tokens_[first].begin; i < tokens_[last - 1].end; ++i) {
      if (text_[i] != '\n') text_[i] = ' ';
    }
  }

  void Replace(std::size_t token, std::string replacement) { replacements_.push_back({token, std::move(replacement)}); }

  std::string Finish() {
    std::sort(replacements_.begin(), replacements_.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [token, replacement] : replacements_) {
      text_.replace(tokens_[token].begin, tokens_[token].end - tokens_[token].begin, replacement);
    }
    return std::move(text_);
  }

 private:
  std::string text_;
  const TokenList& tokens_;
  std::vector<std::pair<std::size_t, std::string>> replacements_;
};

// `texture name;` means nothing to glslang, and `sampler name =
// sampler_state {...};` carries filter states that the device sets itself.
void DropEffectDeclarations(const TokenList& tokens, Rewriter* rewriter) {
  for (std::size_t i = 0; i + 1 < tokens.Size(); ++i) {
    if (!tokens.StartsDeclaration(i) || !tokens.IsIdentifier(i + 1)) continue;
    const std::size_t end = tokens.StatementEnd(i);
    if (end == tokens.Size()) continue;
    if (tokens.Is(i, "texture") || tokens.Is(i, "Texture")) {
      rewriter->Blank(i, end + 1);
    } else if (tokens.Text(i).starts_with("sampler")) {
      for (std::size_t j = i + 2; j + 2 < end; ++j) {
        if (tokens.Is(j, "=") && tokens.Is(j + 1, "sampler_state") && tokens.Is(j + 2, "{")) {
          rewriter->Blank(j, std::min(tokens.AfterClose(j + 2), end));
          break;
        }
      }
    }
  }
}

// One parameter of the entry point, as the tokens [first, last), split into
// what precedes its semantic.
struct Parameter {
  bool output = false;
  std::string type;
  int names = 0;  // identifiers after the type: one, unless it is unnamed
  std::size_t semanticColon = 0;
};

struct EntryPoint {
  std::size_t returnType = 0;
  std::size_t close = 0;  // its ')'
  std::vector<Parameter> parameters;
};

bool IsParameterQualifier(const TokenList& tokens, std::size_t i) {
  for (const char* qualifier :
       {"in", "out", "inout", "uniform", "const", "linear", "centroid", "nointerpolation", "noperspective", "sample"}) {
    if (tokens.Is(i, qualifier)) return true;
  }
  return false;
}

std::vector<EntryPoint> FindEntryPoints(const TokenList& tokens, std::string_view entryPoint) {
  std::vector<EntryPoint> found;
  for (std::size_t i = 1; i + 1 < tokens.Size(); ++i) {
    if (tokens[i].nesting != 0 || tokens.Text(i) != entryPoint || !tokens.Is(i + 1, "(") || !tokens.IsIdentifier(i - 1))
      continue;
    EntryPoint entry{i - 1, tokens.AfterClose(i + 1) - 1, {}};
    Parameter parameter;
    bool empty = true;
    for (std::size_t j = i + 2; j <= entry.close && j < tokens.Size(); ++j) {
      if (j != entry.close && tokens[j].nesting != 1) continue;
      if (j == entry.close || tokens.Is(j, ",")) {
        if (!empty) entry.parameters.push_back(std::move(parameter));
        parameter = {};
        empty = true;
        continue;
      }
      empty = false;
      if (tokens.Is(j, ":") && !parameter.semanticColon) {
        parameter.semanticColon = j;
      } else if (parameter.semanticColon || !tokens.IsIdentifier(j)) {
        continue;
      } else if (tokens.Is(j, "out") || tokens.Is(j, "inout")) {
        parameter.output = true;
      } else if (IsParameterQualifier(tokens, j)) {
        continue;
      } else if (parameter.type.empty()) {
        parameter.type = tokens.Text(j);
      } else {
        ++parameter.names;
      }
    }
    found.push_back(std::move(entry));
  }
  return found;
}

// glslang crashes on an entry point parameter without a name.
bool CheckParametersNamed(const TokenList& tokens, const std::vector<EntryPoint>& entries, std::string* error) {
  for (const EntryPoint& entry : entries) {
    for (const Parameter& parameter : entry.parameters) {
      if (parameter.names == 0 && !(entry.parameters.size() == 1 && parameter.type == "void")) {
        *error = "line " + std::to_string(tokens[entry.close].line) + ": a parameter of the entry point has no name";
        return false;
      }
    }
  }
  return true;
}

// glslang crashes on a file-scope declaration that starts with a parameter
// direction and runs to the end of the text; HLSL allows none there.
bool CheckDirectionsOnParameters(const TokenList& tokens, std::string* error) {
  for (std::size_t i = 0; i < tokens.Size(); ++i) {
    if (tokens[i].nesting == 0 && (tokens.Is(i, "in") || tokens.Is(i, "out") || tokens.Is(i, "inout"))) {
      *error = "line " + std::to_string(tokens[i].line) + ": '" + std::string(tokens.Text(i)) +
               "' is only valid on a parameter";
      return false;
    }
  }
  return true;
}

bool IsOne(std::string_view number) {
  while (!number.empty() && (number.back() == 'u' || number.back() == 'U' || number.back() == 'l' ||
                             number.back() == 'L'))
    number.remove_suffix(1);
  while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
  return number == "1";
}

// "float1", "float1x4", "float4x1" and the like.
bool NamesDimensionOne(std::string_view name) {
  for (const std::string_view scalar : {"bool", "int", "uint", "dword", "half", "float", "double", "min16float",
                                        "min10float", "min16int", "min12int", "min16uint"}) {
    if (!name.starts_with(scalar)) continue;
    const std::string_view dimensions = name.substr(scalar.size());
    const auto isDimension = [](char c) { return c >= '1' && c <= '4'; };
    if (dimensions == "1") return true;
    if (dimensions.size() == 3 && isDimension(dimensions[0]) && dimensions[1] == 'x' && isDimension(dimensions[2]) &&
        (dimensions[0] == '1' || dimensions[2] == '1'))
      return true;
  }
  return false;
}

// glslang's mul crashes on vectors of one component and on matrices of one
// row or column, which Direct3D 9 shaders have no use for.
bool CheckNoDimensionOne(const TokenList& tokens, std::string* error) {
  constexpr std::size_t kLongestTemplate = 8;  // matrix < type , rows , columns >
  for (std::size_t i = 0; i < tokens.Size(); ++i) {
    bool one = NamesDimensionOne(tokens.Text(i));
    if ((tokens.Is(i, "vector") || tokens.Is(i, "matrix")) && tokens.Is(i + 1, "<")) {
      for (std::size_t j = i + 2; j < tokens.Size() && j < i + kLongestTemplate && !tokens.Is(j, ">"); ++j)
        one = one || IsOne(tokens.Text(j));
    }
    if (one) {
      *error = "line " + std::to_string(tokens[i].line) + ": '" + std::string(tokens.Text(i)) +
               "' has a dimension of 1, which the compiler cannot take";
      return false;
    }
  }
  return true;
}

// Vertex outputs reach the rasteriser through SV_Position only.
void MarkPositionOutputs(const TokenList& tokens, const std::vector<EntryPoint>& entries, Rewriter* rewriter) {
  const auto replaceIfPosition = [&](std::size_t colon) {
    if (tokens.Is(colon, ":") && IsPositionSemantic(tokens.Text(colon + 1)))
      rewriter->Replace(colon + 1, "SV_Position");
  };
  std::set<std::string> outputStructs;
  for (const EntryPoint& entry : entries) {
    outputStructs.insert(std::string(tokens.Text(entry.returnType)));
    replaceIfPosition(entry.close + 1);
    for (const Parameter& parameter : entry.parameters) {
      if (!parameter.output) continue;
      outputStructs.insert(parameter.type);
      if (parameter.semanticColon) replaceIfPosition(parameter.semanticColon);
    }
  }
  for (std::size_t i = 0; i + 2 < tokens.Size(); ++i) {
    if (!tokens.StartsDeclaration(i) || !tokens.Is(i, "struct") ||
        !outputStructs.contains(std::string(tokens.Text(i + 1))) || !tokens.Is(i + 2, "{"))
      continue;
    const std::size_t end = tokens.AfterClose(i + 2);
    for (std::size_t j = i + 3; j < end; ++j) replaceIfPosition(j);
  }
}

}  // namespace

bool PrepareHlslSource(std::string_view source, ShaderStage stage, std::string_view entryPoint, std::string* prepared,
                       std::string* error) {
  TokenList tokens(source);
  if (!tokens.Scan(error)) return false;
  if (!CheckDirectionsOnParameters(tokens, error) || !CheckNoDimensionOne(tokens, error)) return false;
  const std::vector<EntryPoint> entries = FindEntryPoints(tokens, entryPoint);
  if (!CheckParametersNamed(tokens, entries, error)) return false;
  Rewriter rewriter(source, tokens);
  DropEffectDeclarations(tokens, &rewriter);
  if (stage == ShaderStage::kVertex) MarkPositionOutputs(tokens, entries, &rewriter);
  *prepared = rewriter.Finish();
  return true;
}

}  // namespace platform
