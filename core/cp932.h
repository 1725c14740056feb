#pragma once
// Code page 932 (Shift_JIS as Windows has it), independent of the locale,
// so files stay byte-compatible with the ones written on Windows.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nubera::cp932 {

// A character that code page 932 cannot hold (or text that is not UTF-8).
class EncodeError : public std::runtime_error {
 public:
  explicit EncodeError(std::string character);
  const std::string& character() const { return character_; }

 private:
  std::string character_;
};

// UTF-8 to code page 932 bytes; throws EncodeError naming the first character it cannot hold.
std::string encode(std::string_view utf8);

// The text with the seven JIS characters that Linux input methods type (〜 ‖ − — ¢ £ ¬) as
// their Windows counterparts, the form that code page 932 reads back; the rest unchanged. A
// name made from this form is the one the state files and the pages name.
std::string windowsForm(std::string_view utf8);

// The text with each letter and combining mark that Unicode composes into one letter composed
// (か + U+3099 as が, as a Mac writes names): the voiced kana and Ё, Й, which code page 932 holds
// as one character; the rest unchanged.
std::string composed(std::string_view utf8);

// The code point of the first character of the UTF-8 text, or -1 when it is not UTF-8.
long codePoint(std::string_view utf8);

// The first character of the UTF-8 text that code page 932 cannot hold, if any.
std::optional<std::string> firstUnencodable(std::string_view utf8);

// The first character that does not come back the same after a write and a read in code page
// 932 (one it cannot hold, or one it holds only as another, as 〜 comes back as ～), if any.
std::optional<std::string> firstInexact(std::string_view utf8);

// Code page 932 bytes to UTF-8; nullopt when the bytes are not valid code page 932.
std::optional<std::string> decode(std::string_view bytes);

}  // namespace nubera::cp932
