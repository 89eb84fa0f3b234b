#pragma once
// Converts names and descriptions between the system code page (the user interface) and
// UTF-8 (the switch). Every UTF-16 unit counts as one code point of its own.
#include <string>

class CCodeConvert {
public:
    // The UTF-16 buffers of one conversion: 255 units and a terminator.
    static constexpr int kUnits = 256;

    virtual ~CCodeConvert() = default;

    // The text's UTF-8 bytes, NUL-terminated, in out (at most size - 1 bytes); always 1.
    int AnsiToUtf8(std::string text, char* out, int size);
    // NUL-terminated UTF-8 to code-page text; 0 (and an empty text) for null or empty input.
    int Utf8ToAnsi(const char* in, std::string& out);
    // Returns a pointer to the output's terminating NUL (out itself for null arguments).
    char* Utf16ToUtf8(const char16_t* in, char* out, int size);
    // Decodes into at most size - 1 units and a terminator; returns the units written.
    int Utf8ToUtf16(const char* in, char16_t* out, int size);
    // One code point to 1 to 6 bytes; returns the end of the bytes, null for a null buffer.
    char* Utf8Encode(unsigned long codePoint, char* out);
    // One sequence to a code point; returns the bytes taken, 0 for null arguments or a
    // sequence cut short by a NUL byte.
    int Utf8Decode(const char* p, unsigned long* codePoint);
};
