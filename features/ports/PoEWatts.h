#pragma once
// Watts as the PoE dialogs take them from their fields: a decimal number written out in
// full ("15.4", "-1", ".5"). Anything else ("abc", "15.4W", "", "1e2") is not watts.
#include <string>

bool ReadWatts(const std::string& text, double& watts);
