#include "features/ports/PoEWatts.h"

#include <cstdlib>
#include <regex>

bool ReadWatts(const std::string& text, double& watts) {
    static const std::regex kDecimal(R"([+-]?(\d+(\.\d*)?|\.\d+))");
    if (!std::regex_match(text, kDecimal)) return false;
    watts = std::strtod(text.c_str(), nullptr);
    return true;
}
