#pragma once
// The Windows-1252 code page of the files: bytes to Unicode and back, and UTF-8 for a terminal.

#include <string>
#include <string_view>
#include <vector>

namespace qelvar {

// The character of a byte. The five bytes the code page leaves undefined keep their own value.
char32_t cp1252Character(unsigned char byte);
// The byte of a character; '?' for a character the code page has no byte for.
char cp1252Byte(char32_t character);

// The bytes as UTF-8 for standard output or standard error: control characters (C0, DEL and the C1
// range, the undefined five included) are shown as blanks, so a name or note can never drive the
// terminal. A line feed is kept.
std::string terminalText(std::string_view bytes);

// Text typed on a command line (UTF-8) as the files' bytes: each character becomes its byte, '?' when the
// code page has none; a byte that is not part of a well-formed UTF-8 sequence also becomes '?'.
std::string cp1252FromUtf8(std::string_view utf8);

// The bytes as UTF-8, every byte its character (a sector file's text from the store's bytes).
std::string utf8FromCp1252(std::string_view bytes);

// The byte offset where each character of a UTF-8 text starts, and the text's size last; a byte that is
// not part of a well-formed sequence counts as one character. Fixed columns of UTF-8 files count these.
std::vector<std::size_t> utf8CharacterStarts(std::string_view utf8);

}  // namespace qelvar
