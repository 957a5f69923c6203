#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Splits a line or a whole file at one delimiter character. The text and every
// token lose their spaces and tabs at both ends; nothing else is trimmed, so a
// '\r' before a '\n' stays in the token.
class TextTokenizer {
 public:
  TextTokenizer(std::string text, char delimiter, bool skipEmpty);

  // False once no token is left; the output is then left as it was. A null
  // output skips a token without copying it.
  bool NextToken(std::string* token);

  // Read the next token like atoi and atof, except that a value out of range
  // is clamped. With no token left the value keeps what it had.
  TextTokenizer& NextInt(int& value);
  TextTokenizer& NextFloat(float& value);

  // Tokens of the whole text, whatever has been read already.
  int CountTokens();

  static void Trim(std::string& text);

 private:
  static constexpr std::size_t kNoTokenLeft = std::string::npos;

  std::string_view TakeRawToken(std::size_t& position) const;

  std::string text_;
  char delimiter_;
  bool skipEmpty_;
  std::size_t position_ = 0;
  std::optional<int> tokenCount_;
};
