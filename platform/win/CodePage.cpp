#include "platform/win/CodePage.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <bit>
#include <cerrno>
#include <mutex>

namespace win {
namespace {

std::mutex g_mutex;
std::string g_override;

const char* Utf16Name() { return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE"; }

std::string LocaleCodePage() {
    locale_t loc = newlocale(LC_CTYPE_MASK, "", nullptr);
    if (loc == nullptr) return "ANSI_X3.4-1968";
    std::string name = nl_langinfo_l(CODESET, loc);
    freelocale(loc);
    return name;
}

// Runs iconv from one encoding to another over the whole input. On a sequence it cannot
// convert, calls replace(out) and skips skipBytes of input.
template <class Replace>
std::string Convert(const char* to, const char* from, const char* data, size_t size, size_t skipBytes,
                    Replace replace) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // An unknown code page: bytes pass as they are, ASCII survives.
        cd = iconv_open(to, "ISO-8859-1");
        if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    }
    char* in = const_cast<char*>(data);
    size_t inLeft = size;
    char buffer[256];
    while (inLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, sizeof buffer - dstLeft);
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (cut at the end): replace one unit and go on.
            replace(out);
            const size_t skip = skipBytes < inLeft ? skipBytes : inLeft;
            in += skip;
            inLeft -= skip;
        }
    }
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, sizeof buffer - dstLeft);
    iconv_close(cd);
    return out;
}

}  // namespace

std::string SystemCodePage() {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_override.empty()) return g_override;
    }
    static const std::string fromLocale = LocaleCodePage();
    return fromLocale;
}

void SetSystemCodePage(const std::string& name) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_override = name;
}

std::u16string AnsiToUtf16(std::string_view text) {
    const std::string codePage = SystemCodePage();
    const char16_t replacement = u'\xFFFD';
    std::string bytes = Convert(Utf16Name(), codePage.c_str(), text.data(), text.size(), 1, [&](std::string& out) {
        out.append(reinterpret_cast<const char*>(&replacement), sizeof replacement);
    });
    std::u16string units(bytes.size() / 2, u'\0');
    bytes.copy(reinterpret_cast<char*>(units.data()), units.size() * 2);
    return units;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    const std::string codePage = SystemCodePage();
    return Convert(codePage.c_str(), Utf16Name(), reinterpret_cast<const char*>(text.data()), text.size() * 2, 2,
                   [](std::string& out) { out += '?'; });
}

}  // namespace win
