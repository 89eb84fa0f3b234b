#pragma once
// The system code page: the character set of the user's locale (LC_ALL, LC_CTYPE, LANG),
// as the ANSI code page is on the platform the program was designed for. Conversions go
// through iconv and never fail: what cannot be converted becomes a replacement character.
#include <string>
#include <string_view>

namespace win {

// The iconv name of the system code page, such as "UTF-8" or "CP1252".
std::string SystemCodePage();
// Replaces the system code page for this process (tests); an empty name restores the locale's.
void SetSystemCodePage(const std::string& name);

// Code-page text to UTF-16 units; an invalid byte becomes U+FFFD.
std::u16string AnsiToUtf16(std::string_view text);
// UTF-16 units to code-page text; a character the code page lacks (or a lone surrogate)
// becomes "?", the default character.
std::string Utf16ToAnsi(std::u16string_view text);

}  // namespace win
