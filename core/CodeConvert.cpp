#include "core/CodeConvert.h"

#include <algorithm>
#include <cstring>

#include "platform/win/CodePage.h"

int CCodeConvert::AnsiToUtf8(std::string text, char* out, int size) {
    char16_t units[kUnits] = {};
    // A text longer than the buffer is cut, always leaving its terminator.
    const std::u16string wide = win::AnsiToUtf16(text);
    const size_t n = std::min(wide.size(), static_cast<size_t>(kUnits - 1));
    std::copy_n(wide.data(), n, units);
    units[n] = 0;
    Utf16ToUtf8(units, out, size);
    return 1;
}

int CCodeConvert::Utf8ToAnsi(const char* in, std::string& out) {
    if (in == nullptr || *in == '\0') {
        out.clear();
        return 0;
    }
    char16_t units[kUnits] = {};
    const int n = Utf8ToUtf16(in, units, kUnits);
    out = win::Utf16ToAnsi(std::u16string_view(units, static_cast<size_t>(n)));
    return 1;
}

char* CCodeConvert::Utf16ToUtf8(const char16_t* in, char* out, int size) {
    if (in == nullptr || out == nullptr || size <= 0) return out;
    int written = 0;
    out[0] = '\0';
    for (; *in != 0; ++in) {
        char sequence[6];
        const int length = static_cast<int>(Utf8Encode(*in, sequence) - sequence);
        if (written + length >= size) break;
        std::memcpy(out + written, sequence, static_cast<size_t>(length));
        written += length;
        out[written] = '\0';
    }
    return out + written;
}

int CCodeConvert::Utf8ToUtf16(const char* in, char16_t* out, int size) {
    if (in == nullptr || out == nullptr || size <= 0) return 0;
    int n = 0;
    out[0] = 0;
    while (*in != '\0' && n < size - 1) {
        unsigned long codePoint = 0;
        const int length = Utf8Decode(in, &codePoint);
        if (length == 0) break;
        out[n++] = static_cast<char16_t>(codePoint & 0xFFFF);
        out[n] = 0;
        in += length;
    }
    return n;
}

namespace {

// The multi-byte forms: length, the first code point too large for it, the lead byte's
// marker and the code-point bits the lead byte carries.
struct LeadForm {
    int length;
    unsigned long limit;
    unsigned char marker;
    unsigned char bits;
};
constexpr LeadForm kLeadForms[] = {
    {2, 0x800, 0xC0, 0x1F},     {3, 0x10000, 0xE0, 0x0F},      {4, 0x200000, 0xF0, 0x07},
    {5, 0x4000000, 0xF8, 0x03}, {6, 0xFFFFFFFFUL, 0xFC, 0x01},
};

}  // namespace

char* CCodeConvert::Utf8Encode(unsigned long cp, char* out) {
    if (out == nullptr) return nullptr;
    if (cp < 0x80) {
        *out = static_cast<char>(cp);
        return out + 1;
    }
    const LeadForm* form = &kLeadForms[0];
    while (form->length < 6 && cp >= form->limit) ++form;
    const int length = form->length;
    out[0] = static_cast<char>(form->marker | ((cp >> (6 * (length - 1))) & form->bits));
    for (int i = 1; i < length; ++i) {
        out[i] = static_cast<char>(0x80 | ((cp >> (6 * (length - 1 - i))) & 0x3F));
    }
    return out + length;
}

int CCodeConvert::Utf8Decode(const char* p, unsigned long* cp) {
    if (p == nullptr || cp == nullptr) return 0;
    const unsigned char b = static_cast<unsigned char>(p[0]);
    if (b < 0xC0) {  // a stray continuation byte stands for itself
        *cp = b;
        return 1;
    }
    const LeadForm* form = &kLeadForms[0];
    while (form->length < 6 && b >= (form + 1)->marker) ++form;
    unsigned long value = b & form->bits;
    // Following bytes are taken as they come, but a NUL ends the text: never read past it.
    for (int i = 1; i < form->length; ++i) {
        if (p[i] == '\0') return 0;
        value = (value << 6) | (static_cast<unsigned char>(p[i]) & 0x3F);
    }
    *cp = value;
    return form->length;
}
