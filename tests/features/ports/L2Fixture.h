#pragma once
// The layer-2 port dialogs' tests (mirroring, bandwidth, static MAC): their switch and
// what it received, one request a line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/features/ports/PortsFixture.h"

namespace l2test {

using portstest::kPrivate;
using portstest::kTrunkMembers;

// A request's variables as "OID TYPE VALUE", OCTET STRINGs as upper-case hex.
inline std::string Line(const switchsim::LoggedRequest& r) {
    std::string out;
    for (const auto& v : r.varbinds) {
        if (!out.empty()) out += ", ";
        out += v.oid + " " + v.type + (v.type == "null" ? "" : " " + (v.type == "s" ? v.hex : v.value));
    }
    return out;
}

inline std::vector<std::string> Lines(const std::vector<switchsim::LoggedRequest>& requests) {
    std::vector<std::string> out;
    for (const auto& r : requests) out.push_back(Line(r));
    return out;
}

inline std::vector<std::string> Texts(const std::vector<ui::test::ShownBox>& boxes) {
    std::vector<std::string> out;
    for (const auto& b : boxes) out.push_back(b.text);
    return out;
}

// The trunk rows as the switch holds them: members of trunk t as a bitmap in hex.
inline std::string TrunkOid(int trunk) { return kTrunkMembers + "." + std::to_string(trunk); }

}  // namespace l2test
