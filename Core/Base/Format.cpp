#include "Core/Base/Format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <type_traits>

namespace {

// Widths and precisions can come from data files; anything larger shows
// nothing useful and would only cost memory.
constexpr std::uint32_t kMaxFieldNumber = 1024;

// A directive's parts come in this order. A part may repeat, but going back
// to an earlier part breaks the directive.
enum Phase { kBroken, kFlag, kNumber, kSize, kConversion };

// What one directive has collected so far. Flags other than '#' go straight
// into the settings, so they outlive a broken directive until the next search.
struct Directive {
  Phase reached = kBroken;
  bool digitSeen = false;
  bool afterDot = false;
  std::uint32_t width = 0;
  std::uint32_t precision = 0;
  bool alternate = false;
};

template <typename Char>
Phase ReadPart(char c, Directive& directive, FormatSpec<Char>& settings) {
  switch (c) {
    case '-': settings.alignment = FormatAlign::Left; return kFlag;
    case '=': settings.alignment = FormatAlign::Centre; return kFlag;
    case '+': settings.plus = true; return kFlag;
    case ' ': settings.space = true; return kFlag;
    case '#': directive.alternate = true; return kFlag;
    case '0':
      if (!directive.digitSeen) {
        settings.zero = true;
        return kFlag;
      }
      [[fallthrough]];
    case '1': case '2': case '3': case '4': case '5':
    case '6': case '7': case '8': case '9': {
      std::uint32_t& number = directive.afterDot ? directive.precision : directive.width;
      number = std::min(number * 10 + static_cast<std::uint32_t>(c - '0'), kMaxFieldNumber);
      directive.digitSeen = true;
      return kNumber;
    }
    case '.':
      if (directive.afterDot) return kBroken;
      directive.digitSeen = directive.afterDot = true;
      return kNumber;
    case 'h': case 'l': case 'L':
      return kSize;
    case 'd': case 'i': case 'u': case 'c': case 's': case 'p': case 'n':
      return kConversion;
    case 'X': settings.upper = true; [[fallthrough]];
    case 'x': settings.base = FormatBase::Hexadecimal; return kConversion;
    case 'o': settings.base = FormatBase::Octal; return kConversion;
    case 'b': settings.base = FormatBase::Binary; return kConversion;
    case 'E': settings.upper = true; [[fallthrough]];
    case 'e': settings.style = FormatStyle::Exponent; return kConversion;
    case 'f': settings.style = FormatStyle::Fixed; return kConversion;
    case 'G': settings.upper = true; [[fallthrough]];
    case 'g': settings.style = FormatStyle::General; return kConversion;
    default: return kBroken;
  }
}

// The text of one number. The longest is a float in fixed style: a sign,
// the 39 integer digits of FLT_MAX, a point and 7 decimals.
struct NumberText {
  char text[64];
  std::size_t length = 0;

  void Put(char c) { text[length++] = c; }
  void Put(const char* s) {
    while (*s != '\0') Put(*s++);
  }
};

template <typename UInt>
void PutDigits(NumberText& out, UInt value, unsigned radix = 10, bool upper = false) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char reversed[sizeof(UInt) * 8];
  std::size_t count = 0;
  do {
    reversed[count++] = digits[static_cast<std::size_t>(value % radix)];
    value /= radix;
  } while (value != 0);
  while (count != 0) out.Put(reversed[--count]);
}

// A float's integer part can exceed 64 bits but stays below 2^128.
using UInt128 = unsigned __int128;

void PutFixedDigits(NumberText& out, double y, int decimals) {
  const double whole = std::floor(y);
  PutDigits(out, static_cast<UInt128>(whole));
  out.Put('.');
  double fraction = y - whole;
  for (int i = 0; i < decimals; ++i) {
    fraction *= 10;
    const int digit = static_cast<int>(fraction);
    out.Put(static_cast<char>('0' + digit));
    fraction -= digit;
  }
}

void PutExponent(NumberText& out, int exponent, bool upper) {
  const int magnitude = std::abs(exponent);
  out.Put(upper ? 'E' : 'e');
  out.Put(exponent < 0 ? '-' : '+');
  out.Put(static_cast<char>('0' + std::min(magnitude / 100, 9)));
  out.Put(static_cast<char>('0' + magnitude / 10 % 10));
  out.Put(static_cast<char>('0' + magnitude % 10));
}

int DecimalExponent(double magnitude) {
  const int exponent = static_cast<int>(std::log10(magnitude));
  return magnitude < 1 ? exponent - 1 : exponent;
}

void PutFixedStyle(NumberText& out, double magnitude, int digits) {
  PutFixedDigits(out, magnitude + 0.5 * std::pow(0.1, digits), digits);
}

void PutExponentStyle(NumberText& out, double magnitude, int digits, bool upper) {
  if (magnitude == 0) {
    PutFixedDigits(out, 0, digits);
    out.Put("e+000");
    return;
  }
  const double half = 0.5 * std::pow(0.1, digits);
  int exponent = DecimalExponent(magnitude);
  double mantissa = std::pow(0.1, exponent) * magnitude + half;
  if (mantissa >= 10) {
    ++exponent;
    mantissa = std::pow(0.1, exponent) * magnitude + half;
  }
  PutFixedDigits(out, mantissa, digits);
  PutExponent(out, exponent, upper);
}

void PutGeneralStyle(NumberText& out, double magnitude, int digits, bool upper) {
  if (magnitude == 0) {
    out.Put('0');
    return;
  }
  int exponent = DecimalExponent(magnitude);
  // Scaled to `digits` significant digits, so far inside 64 bits.
  const auto significant = [&] {
    return static_cast<std::uint64_t>(std::pow(10.0, digits - exponent - 1) *
                                      (magnitude + 5 * std::pow(0.1, digits - exponent)));
  };
  std::uint64_t limit = 1;
  for (int i = 0; i < digits; ++i) limit *= 10;
  std::uint64_t n = significant();
  if (n >= limit) {
    ++exponent;
    n = significant();
  }
  while (n != 0 && n % 10 == 0) n /= 10;
  NumberText shown;
  PutDigits(shown, n);
  const std::size_t count = shown.length;

  if (exponent >= -4 && exponent < digits) {
    if (exponent >= 0) {
      const auto point = static_cast<std::size_t>(exponent) + 1;
      for (std::size_t i = 0; i < point; ++i) out.Put(i < count ? shown.text[i] : '0');
      if (count > point) out.Put('.');
      for (std::size_t i = point; i < count; ++i) out.Put(shown.text[i]);
    } else {
      out.Put("0.");
      for (int i = 1; i < -exponent; ++i) out.Put('0');
      for (std::size_t i = 0; i < count; ++i) out.Put(shown.text[i]);
    }
    return;
  }
  out.Put(shown.text[0]);
  if (count > 1) out.Put('.');
  for (std::size_t i = 1; i < count; ++i) out.Put(shown.text[i]);
  PutExponent(out, exponent, upper);
}

template <typename Char>
char SignChar(const FormatSpec<Char>& settings, bool negative) {
  return negative ? '-' : settings.plus ? '+' : settings.space ? ' ' : '\0';
}

template <typename Char, typename T>
void Justify(const FormatSpec<Char>& settings, const T* text, std::size_t length) {
  std::basic_string<Char>& out = *settings.output;
  if (settings.width <= length) {
    out.append(text, text + length);
    return;
  }
  const std::size_t gap = settings.width - length;
  const std::size_t before = settings.alignment == FormatAlign::Left     ? 0
                             : settings.alignment == FormatAlign::Centre ? gap / 2
                                                                     : gap;
  out.append(before, Char(' '));
  out.append(text, text + length);
  out.append(gap - before, Char(' '));
}

// Only decimal shows the sign; the other bases show the 32-bit pattern with
// their prefix.
template <typename Char>
void WriteInteger(const FormatSpec<Char>& settings, std::uint32_t value, char sign) {
  NumberText text;
  unsigned radix = 10;
  switch (settings.base) {
    case FormatBase::Decimal:
      if (sign != '\0') text.Put(sign);
      break;
    case FormatBase::Hexadecimal:
      radix = 16;
      if (settings.alternate) text.Put(settings.upper ? "0X" : "0x");
      break;
    case FormatBase::Octal:
      radix = 8;
      if (settings.alternate) text.Put('0');
      break;
    case FormatBase::Binary:
      radix = 2;
      break;
  }
  const std::size_t prefix = text.length;
  PutDigits(text, value, radix, settings.upper);
  if (!settings.zero || settings.width <= text.length) {
    Justify(settings, text.text, text.length);
    return;
  }
  // Zeros go between the sign or prefix and the digits, whatever the alignment.
  std::basic_string<Char>& out = *settings.output;
  out.append(text.text, text.text + prefix);
  out.append(settings.width - text.length, Char('0'));
  out.append(text.text + prefix, text.text + text.length);
}

}  // namespace

template <typename Char>
void FormatSpec<Char>::FormatInt(int value) const {
  const auto bits = static_cast<std::uint32_t>(value);
  const bool negative = value < 0;
  WriteInteger(*this, negative && base == FormatBase::Decimal ? 0u - bits : bits,
               SignChar(*this, negative));
}

template <typename Char>
void FormatSpec<Char>::FormatUInt(unsigned value) const {
  WriteInteger(*this, value, '\0');
}

template <typename Char>
void FormatSpec<Char>::FormatFloat(float value) const {
  const double x = value;
  NumberText text;
  if (std::isnan(x)) {
    text.Put("NaN");
  } else if (std::isinf(x)) {
    text.Put(x < 0 ? "-Inf" : "+Inf");
  } else {
    if (x != 0) {
      const char sign = SignChar(*this, x < 0);
      if (sign != '\0') text.Put(sign);
    }
    const int digits = precision == 0 ? 6 : static_cast<int>(std::min(precision, 7u));
    const double magnitude = std::fabs(x);
    switch (style) {
      case FormatStyle::General: PutGeneralStyle(text, magnitude, digits, upper); break;
      case FormatStyle::Exponent: PutExponentStyle(text, magnitude, digits, upper); break;
      case FormatStyle::Fixed: PutFixedStyle(text, magnitude, digits); break;
    }
  }
  Justify(*this, text.text, text.length);
}

template <typename Char>
void FormatSpec<Char>::Pad(const Char* text, std::size_t length) const {
  Justify(*this, text, length);
}

template <typename Char>
BasicFormat<Char>::BasicFormat(std::basic_string_view<Char> format) : format_(format) {
  NextDirective();
}

template <typename Char>
template <typename Convert>
BasicFormat<Char>& BasicFormat<Char>::Add(Convert convert) {
  if (!finished_) {
    convert(spec_);
    NextDirective();
  }
  return *this;
}

template <typename Char>
BasicFormat<Char>& BasicFormat<Char>::AddInt(int value) {
  return Add([value](const FormatSpec<Char>& settings) { settings.FormatInt(value); });
}

template <typename Char>
BasicFormat<Char>& BasicFormat<Char>::AddUInt(unsigned value) {
  return Add([value](const FormatSpec<Char>& settings) { settings.FormatUInt(value); });
}

template <typename Char>
BasicFormat<Char>& BasicFormat<Char>::AddFloat(float value) {
  return Add([value](const FormatSpec<Char>& settings) { settings.FormatFloat(value); });
}

template <typename Char>
BasicFormat<Char>& BasicFormat<Char>::AddString(const Char* text) {
  return AddString(text != nullptr ? std::basic_string_view<Char>(text)
                                   : std::basic_string_view<Char>());
}

template <typename Char>
BasicFormat<Char>& BasicFormat<Char>::AddString(std::basic_string_view<Char> text) {
  return Add([text](const FormatSpec<Char>& settings) { settings.Pad(text.data(), text.size()); });
}

template <typename Char>
void BasicFormat<Char>::Finish() {
  text_.append(format_, position_);
  position_ = format_.size();
  finished_ = true;
}

// Copies literal text up to and including the next complete directive, whose
// settings are left in the settings, or to the end of the format.
template <typename Char>
void BasicFormat<Char>::NextDirective() {
  spec_ = {};
  spec_.output = &text_;
  while (position_ < format_.size()) {
    const Char c = format_[position_++];
    if (c != Char('%')) {
      text_ += c;
    } else if (ReadDirective()) {
      return;
    }
  }
  finished_ = true;
}

// Reads a directive after its '%'. When it breaks, or the format ends inside
// it, only its last character read is shown.
template <typename Char>
bool BasicFormat<Char>::ReadDirective() {
  Directive directive;
  Char c = Char('%');
  while (position_ < format_.size()) {
    c = format_[position_++];
    const auto code = static_cast<std::make_unsigned_t<Char>>(c);
    const Phase phase =
        code == 0 || code > 127 ? kBroken : ReadPart(static_cast<char>(c), directive, spec_);
    if (phase == kConversion) {
      spec_.width = directive.width;
      spec_.precision = directive.precision;
      spec_.alternate = directive.alternate;
      return true;
    }
    if (phase == kBroken || phase < directive.reached) {
      if (c != Char('%')) badDirective_ = true;
      break;
    }
    directive.reached = phase;
  }
  text_ += c;
  return false;
}

template <typename Char>
BasicFormatBuffer<Char>::BasicFormatBuffer(std::uint32_t width, std::uint32_t precision) {
  this->width = width;
  this->precision = precision;
  this->output = &text_;
}

template struct FormatSpec<char>;
template struct FormatSpec<base::WChar>;
template class BasicFormat<char>;
template class BasicFormat<base::WChar>;
template class BasicFormatBuffer<char>;
template class BasicFormatBuffer<base::WChar>;
