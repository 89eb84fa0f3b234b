#pragma once
// Profile (INI) reading with the semantics the program's settings rely on:
// - "[Section]" lines open a section; "key=value" lines belong to the last section opened;
//   lines starting with ';' and lines without '=' are ignored.
// - Section and key names are compared as written: case and blanks count, so a key
//   "PoEPortNum " (trailing blank) is not the key "PoEPortNum". Only the indentation before
//   a key is not part of it.
// - A value loses its leading and trailing blanks, tabs and carriage returns.
// - The first matching key wins; a missing file or key gives the caller's default.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win/WinTypes.h"

namespace win {
// The value of section/key in the text of a profile file, if the key is there.
std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section, std::string_view key);
}  // namespace win

// Copies the value (or the default when the key is absent) into buffer, at most size - 1
// characters and always terminated when size > 0; returns the number of characters copied.
DWORD GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                              char* buffer, DWORD size, const std::string& fileName);

// The value as an integer: an absent key or an empty value gives the default; otherwise an
// optional sign and the leading decimal digits (none gives 0), wrapping at 32 bits. A
// negative value comes back in two's complement.
UINT GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                          const std::string& fileName);
