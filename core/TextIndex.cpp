#include "core/TextIndex.h"

std::string TextIndexSuffix(const std::string& text) {
    std::string suffix = std::to_string(text.size());
    for (unsigned char c : text) suffix += "." + std::to_string(c);
    return suffix;
}

std::string IndexText(const std::vector<unsigned long>& index, std::size_t& pos) {
    std::string text;
    if (pos >= index.size()) return text;
    const std::size_t n = index[pos++];
    for (std::size_t i = 0; i < n && pos < index.size(); ++i) text += static_cast<char>(index[pos++]);
    return text;
}

std::string IndexOid(const std::vector<unsigned long>& index, std::size_t& pos) {
    std::string text;
    if (pos >= index.size()) return text;
    const std::size_t n = index[pos++];
    for (std::size_t i = 0; i < n && pos < index.size(); ++i) {
        if (i > 0) text += '.';
        text += std::to_string(index[pos++]);
    }
    return text;
}
