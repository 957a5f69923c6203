#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Core/Base/NoCopy.h"
#include "Core/Base/WString.h"

// The engine's printf-style formatter. Unlike printf, each argument arrives
// through a typed call and its type decides how it is shown: the conversion
// letter only picks the base, the float style and upper case. Malformed
// directives never fail; they come out partly as text.

enum class FormatStyle : std::int32_t { General, Exponent, Fixed };
enum class FormatAlign : std::int32_t { Right, Left, Centre };
enum class FormatBase : std::int32_t { Decimal, Hexadecimal, Octal, Binary };

// The settings of one conversion, and where its text goes.
template <typename Char>
struct FormatSpec {
  std::uint32_t width = 0;      // minimum field width; 0 for none
  std::uint32_t precision = 0;  // as written; only floats use it
  bool zero = false;            // pad integers with zeros
  bool plus = false;
  bool space = false;
  bool upper = false;
  bool alternate = false;
  FormatStyle style = FormatStyle::General;
  FormatAlign alignment = FormatAlign::Right;
  FormatBase base = FormatBase::Decimal;
  std::basic_string<Char>* output = nullptr;  // not owned

  void FormatInt(int value) const;
  void FormatUInt(unsigned value) const;
  void FormatFloat(float value) const;
  void Pad(const Char* text, std::size_t length) const;
};

// Not copyable: the settings points at the formatter's own text.
template <typename Char>
class BasicFormat : base::NoCopy {
 public:
  using String = std::basic_string<Char>;

  explicit BasicFormat(std::basic_string_view<Char> format);

  // One call per directive, in order. Calls beyond the last directive, or
  // after Finish, are ignored.
  BasicFormat& AddInt(int value);
  BasicFormat& AddUInt(unsigned value);
  BasicFormat& AddFloat(float value);
  BasicFormat& AddString(const Char* text);  // null shows as empty
  BasicFormat& AddString(std::basic_string_view<Char> text);

  // Appends the rest of the format as it stands; a directive still waiting
  // for its argument is dropped.
  void Finish();

  const String& Text() const { return text_; }
  bool HasBadDirective() const { return badDirective_; }

 private:
  template <typename Convert>
  BasicFormat& Add(Convert convert);
  void NextDirective();
  bool ReadDirective();

  FormatSpec<Char> spec_;
  String format_;
  std::size_t position_ = 0;
  bool badDirective_ = false;
  bool finished_ = false;
  String text_;
};

using WideFormat = BasicFormat<base::WChar>;
using NarrowFormat = BasicFormat<char>;

// Formats a single number, for names built from one value. Not copyable for
// the same reason as BasicFormat.
template <typename Char>
class BasicFormatBuffer : public FormatSpec<Char>, base::NoCopy {
 public:
  BasicFormatBuffer(std::uint32_t width, std::uint32_t precision);

  const std::basic_string<Char>& Text() const { return text_; }

 private:
  std::basic_string<Char> text_;
};

using FormatBuffer = BasicFormatBuffer<char>;
