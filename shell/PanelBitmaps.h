#pragma once
// The main window's panel bitmaps (the bitmap store's ids), which the painting and the status
// polling both draw.
#include <cstddef>
#include <utility>

#include "platform/ui/Types.h"

namespace panel_bitmaps {

// Loaded into the bitmap store in this order.
constexpr UINT kStoreBitmaps[] = {160, 159, 161, 162, 158, 32883, 163, 164, 190, 191, 192, 221, 32878, 32879};

// Port LED bitmaps by look, for odd and even port numbers.
constexpr UINT kLedOff[2] = {160, 159};
constexpr UINT kLedGreen[2] = {162, 161};
constexpr UINT kLedAmber[2] = {164, 163};
constexpr UINT kPowerLamp = 158, kPowerLampC1 = 32883, kRedLamp = 190, kModeLampOn = 191, kModeLampOff = 192;

// The mode lamps drawn off while the device does not answer.
constexpr std::pair<int, int> kModeLampPlaces[] = {{20, 59}, {20, 45}, {43, 46}, {43, 59}};

// The LED bitmap of a port by its number: odd and even ports differ.
constexpr std::size_t Parity(int port) { return port % 2 == 1 ? 0 : 1; }

}  // namespace panel_bitmaps
