// Behaviours keyed by object: what the switch does beyond storing a written value.
// Later features add theirs here, one small function each.
#include "tools/switchsim/Agent.h"

namespace switchsim {

namespace {

const Oid kReboot = {1, 3, 6, 1, 4, 1, 32473, 10, 76, 21, 1, 1, 9, 0};
const Oid kSaveConfig = {1, 3, 6, 1, 4, 1, 32473, 10, 76, 21, 1, 1, 10, 0};

Value Integer(long n) {
    Value v;
    v.type = ASN_INTEGER;
    v.number = n;
    return v;
}

// Writing 1 starts a save: the object reads 1 (busy) for the configured time, then 2.
void SaveConfiguration(Agent& agent, const Value& written) {
    if (written.number != 1) return;
    agent.After(agent.config.saveMs, [](Agent& a) { a.model.objects[kSaveConfig] = Integer(2); });
}

// Writing 1 reboots: the answer to the SET still goes out, then the switch is silent for the
// configured time and comes back with its up-time counted from zero.
void Reboot(Agent& agent, const Value& written) {
    if (written.number != 1) return;
    agent.SilenceFor(agent.config.rebootMs);
    agent.After(agent.config.rebootMs, [](Agent& a) {
        a.model.objects[kReboot] = Integer(2);
        a.ResetUpTime();
    });
}

// Writing the operation of a firmware (.3.9) or configuration (.3.10) transfer plays it: the
// kind's status reads 4 (busy) for transfer-wait, then 3 (running) for transfer-time, then
// transfer-result. A new play of the kind replaces one still running.
void PlayTransfer(Agent& agent, const Oid& status) {
    const unsigned long play = ++agent.plays[status];
    const Config& c = agent.config;
    agent.model.objects[status] = Integer(4);
    auto step = [status, play](long value) {
        return [status, play, value](Agent& a) {
            if (a.plays[status] == play) a.model.objects[status] = Integer(value);
        };
    };
    agent.After(c.transferWaitMs, step(3));
    agent.After(c.transferWaitMs + c.transferTimeMs, step(c.transferResult));
}

const Oid kPrivate = {1, 3, 6, 1, 4, 1, 32473, 10, 76, 21, 1};
Oid Private(std::initializer_list<oid> arcs) {
    Oid o = kPrivate;
    o.insert(o.end(), arcs);
    return o;
}
const Oid kVlanRowStatus = Private({7, 6, 1, 5});
const Oid kIgmpVlanEntry = Private({10, 3, 4, 1});
const Oid kFilterEntry = Private({7, 8, 1});

Value Bytes(size_t count) {
    Value v;
    v.type = ASN_OCTET_STR;
    v.bytes.assign(count, '\0');
    return v;
}

// The width of the static router port sets: that of the rows already there.
size_t RouterPortWidth(const Model& model) {
    const Oid column = [] {
        Oid c = kIgmpVlanEntry;
        c.push_back(6);
        return c;
    }();
    for (auto it = model.objects.lower_bound(column); it != model.objects.end() && HasPrefix(it->first, column); ++it) {
        return it->second.bytes.size();
    }
    return 8;
}

// A static VLAN row created through its status column gets its IGMP snooping row (snooping,
// querier and fast leave disabled, no router ports) and its multicast filtering row
// (forwarding); destroying the VLAN removes both. The walks that read the VLAN name beside
// these tables pair rows by position, so the three tables keep the same VLAN ids.
void VlanCompanionRows(Agent& agent, const Oid& cell, const Value& written) {
    const oid vid = cell.back();
    auto at = [vid](const Oid& entry, oid column) {
        Oid o = entry;
        o.push_back(column);
        o.push_back(vid);
        return o;
    };
    auto& objects = agent.model.objects;
    if (written.number == 4 || written.number == 5) {
        const Value zeros = Bytes(RouterPortWidth(agent.model));
        objects.try_emplace(at(kIgmpVlanEntry, 1), Integer(static_cast<long>(vid)));
        objects.try_emplace(at(kIgmpVlanEntry, 2), Integer(2));
        objects.try_emplace(at(kIgmpVlanEntry, 4), Integer(2));
        objects.try_emplace(at(kIgmpVlanEntry, 6), zeros);
        objects.try_emplace(at(kIgmpVlanEntry, 8), Integer(2));
        objects.try_emplace(at(kFilterEntry, 1), Integer(static_cast<long>(vid)));
        objects.try_emplace(at(kFilterEntry, 2), Integer(0));
    } else if (written.number == 6) {
        for (oid column : {1, 2, 4, 6, 8}) objects.erase(at(kIgmpVlanEntry, column));
        for (oid column : {1, 2}) objects.erase(at(kFilterEntry, column));
    }
}

// RMON: the private control tables under .47 and the standard RFC 2819 objects the switch
// computes for the same entries. The private statistics table and the standard etherStatsTable
// are one set of entries seen twice: an entry created or removed through either status column
// appears in or goes from the other (each keeps its own status). History and event entries
// keep their standard companion cells (buckets granted, last time sent) under the same index,
// so walks that read both end together.
const Oid kRmonStatsStatus = Private({47, 2, 1, 1, 4});
const Oid kRmonStatsEntry = Private({47, 2, 1, 1});
const Oid kEtherStatsEntry = {1, 3, 6, 1, 2, 1, 16, 1, 1, 1};
const Oid kEtherStatsStatus = {1, 3, 6, 1, 2, 1, 16, 1, 1, 1, 21};
const Oid kRmonHistoryStatus = Private({47, 3, 1, 1, 6});
const Oid kRmonHistoryBuckets = Private({47, 3, 1, 1, 3});
const Oid kBucketsGranted = {1, 3, 6, 1, 2, 1, 16, 2, 1, 1, 4};
const Oid kRmonEventStatus = Private({47, 5, 1, 1, 6});
const Oid kEventLastTimeSent = {1, 3, 6, 1, 2, 1, 16, 9, 1, 1, 5};

Oid Cell(const Oid& column, oid index) {
    Oid o = column;
    o.push_back(index);
    return o;
}

Value OidValue(const Oid& arcs) {
    Value v;
    v.type = ASN_OBJECT_ID;
    v.oidValue = arcs;
    return v;
}

Value Typed(u_char type, std::int64_t number) {
    Value v;
    v.type = type;
    v.number = number;
    return v;
}

void RemoveEntry(Agent& agent, const Oid& entry, oid index) {
    auto& objects = agent.model.objects;
    for (auto it = objects.lower_bound(entry); it != objects.end() && HasPrefix(it->first, entry);) {
        if (it->first.size() == entry.size() + 2 && it->first.back() == index) it = objects.erase(it);
        else ++it;
    }
}

// One side of the statistics entries was created (2) or removed (4): the other side follows.
void MirrorStatisticsEntry(Agent& agent, oid index, long written, bool fromPrivate) {
    auto& objects = agent.model.objects;
    if (written == 4) {
        RemoveEntry(agent, fromPrivate ? kEtherStatsEntry : kRmonStatsEntry, index);
        return;
    }
    if (written != 2) return;
    const Value source = OidValue({1, 3, 6, 1, 2, 1, 2, 2, 1, 1, index});
    if (fromPrivate) {
        objects.try_emplace(Cell(Cell(kEtherStatsEntry, 1), index), Integer(static_cast<long>(index)));
        objects.try_emplace(Cell(Cell(kEtherStatsEntry, 2), index), source);
        for (oid column = 3; column <= 19; ++column)
            objects.try_emplace(Cell(Cell(kEtherStatsEntry, column), index), Typed(ASN_COUNTER, 0));
        Value owner;
        owner.type = ASN_OCTET_STR;
        objects.try_emplace(Cell(Cell(kEtherStatsEntry, 20), index), owner);
        objects.try_emplace(Cell(kEtherStatsStatus, index), Integer(3));
    } else {
        objects.try_emplace(Cell(Cell(kRmonStatsEntry, 1), index), Integer(static_cast<long>(index)));
        objects.try_emplace(Cell(Cell(kRmonStatsEntry, 2), index), source);
        Value owner;
        owner.type = ASN_OCTET_STR;
        objects.try_emplace(Cell(Cell(kRmonStatsEntry, 3), index), owner);
        objects.try_emplace(Cell(kRmonStatsStatus, index), Integer(3));
    }
}

// A standard companion cell that lives and goes with its private entry.
void Companion(Agent& agent, const Oid& standardColumn, oid index, long written, const Value& initial) {
    if (written == 2) agent.model.objects.try_emplace(Cell(standardColumn, index), initial);
    else if (written == 4) agent.model.objects.erase(Cell(standardColumn, index));
}

// Two objects that hold one setting under two OIDs: a successful SET of either writes the
// other as well, so a read of either shows the last value written.
void KeepEqual(Agent& agent, const Oid& a, const Oid& b) {
    agent.behaviours[a] = [b](Agent& ag, const Value& written) { ag.model.objects[b] = written; };
    agent.behaviours[b] = [a](Agent& ag, const Value& written) { ag.model.objects[a] = written; };
}

// The 802.1X state, as the 802.1X settings and as the trunk settings read it.
const Oid kDot1xState = Private({23, 1, 1, 0});
const Oid kDot1xStateOfTrunks = Private({11, 2, 1, 0});

// LLDP timers as the switch holds them: interval x hold multiplier at most 65535 and the TX
// delay at most a quarter of the interval; a SET that would break either is refused.
const Oid kLldpHold = Private({24, 2, 0});
const Oid kLldpInterval = Private({24, 3, 0});
const Oid kLldpTxDelay = Private({24, 5, 0});

// A transfer's server address is 4 (IPv4) or 16 (IPv6) bytes.
const Oid kTransferAddresses[] = {Private({3, 9, 1, 0}), Private({3, 10, 1, 0})};
int TransferAddressesConsistent(const Agent& agent) {
    for (const Oid& o : kTransferAddresses) {
        auto it = agent.model.objects.find(o);
        if (it != agent.model.objects.end() && it->second.bytes.size() != 4 && it->second.bytes.size() != 16)
            return SNMP_ERR_WRONGLENGTH;
    }
    return SNMP_ERR_NOERROR;
}

int LldpTimersConsistent(const Agent& agent) {
    const auto& objects = agent.model.objects;
    auto value = [&](const Oid& o) -> std::int64_t {
        auto it = objects.find(o);
        return it == objects.end() ? 0 : it->second.number;
    };
    const std::int64_t interval = value(kLldpInterval);
    if (interval * value(kLldpHold) > 65535 || value(kLldpTxDelay) * 4 > interval) return SNMP_ERR_INCONSISTENTVALUE;
    return SNMP_ERR_NOERROR;
}

// IP-MAC-port binding. Writing 1 into a black-list row's delete column removes the row.
// Writing 1 into the scan start finds hosts for the range's first three addresses, one per
// `scan-step`, each a not-bound binding row (VID 1, port 3) with a MAC made of the address's
// last four bytes.
const Oid kBlackListDelete = Private({14, 10, 4, 1, 5});
const Oid kScanFrom = Private({14, 10, 5, 0});
const Oid kScanTo = Private({14, 10, 6, 0});
const Oid kScanStart = Private({14, 10, 7, 0});
const Oid kBindingEntry = Private({14, 10, 2, 1});
constexpr oid kScanPort = 3;
constexpr int kScanHosts = 3;

void RemoveBlackListRow(Agent& agent, const Oid& cell, const Value& written) {
    if (written.number == 1) agent.model.RemoveRow(cell, kBlackListDelete.size(), nullptr);
}

Value Octets(const std::string& bytes) {
    Value v;
    v.type = ASN_OCTET_STR;
    v.bytes = bytes;
    return v;
}

void AddScannedHost(Agent& agent, const std::string& address) {
    const std::string mac = std::string("\x02\x00", 2) + address.substr(address.size() - 4);
    Oid index;
    for (char c : mac) index.push_back(static_cast<unsigned char>(c));
    index.push_back(kScanPort);
    index.push_back(address.size());
    for (char c : address) index.push_back(static_cast<unsigned char>(c));
    auto at = [&](oid column) {
        Oid o = kBindingEntry;
        o.push_back(column);
        o.insert(o.end(), index.begin(), index.end());
        return o;
    };
    auto& objects = agent.model.objects;
    objects[at(1)] = Octets(mac);
    objects[at(2)] = Integer(kScanPort);
    objects[at(3)] = Octets(address);
    objects[at(4)] = Integer(1);
    objects[at(5)] = Integer(2);
}

void StartScan(Agent& agent, const Value& written) {
    if (written.number != 1) return;
    const auto from = agent.model.objects.find(kScanFrom);
    const auto to = agent.model.objects.find(kScanTo);
    if (from == agent.model.objects.end() || to == agent.model.objects.end()) return;
    std::string address = from->second.bytes;
    const std::string last = to->second.bytes;
    if ((address.size() != 4 && address.size() != 16) || address.size() != last.size()) return;
    for (int host = 1; host <= kScanHosts && address <= last; ++host) {
        agent.After(agent.config.scanStepMs * host, [address](Agent& a) { AddScannedHost(a, address); });
        // The next address: the bytes as one big-endian number plus one.
        for (size_t i = address.size(); i-- > 0;) {
            address[i] = static_cast<char>(static_cast<unsigned char>(address[i]) + 1);
            if (address[i] != 0) break;
        }
    }
}

// Spanning tree: the bridge priority and times, private and standard, are one setting each.
const Oid kStdBridge = {1, 3, 6, 1, 2, 1, 17, 2};
Oid StdBridge(oid arc) {
    Oid o = kStdBridge;
    o.push_back(arc);
    o.push_back(0);
    return o;
}
const Oid kStpPrivateCost = Private({6, 2, 1, 5});
const Oid kStpPrivateAutoCost = Private({6, 2, 1, 6});
const Oid kStpPortPathCost = {1, 3, 6, 1, 2, 1, 17, 2, 15, 1, 5};

// A port's external cost written: the cost in use becomes it, or the automatic cost for 0.
void StpPortCostInUse(Agent& agent, const Oid& cell, const Value& written) {
    const oid port = cell.back();
    Value inUse = written;
    if (written.number == 0) {
        auto it = agent.model.objects.find(Cell(kStpPrivateAutoCost, port));
        if (it != agent.model.objects.end()) inUse = it->second;
    }
    agent.model.objects[Cell(kStpPortPathCost, port)] = inUse;
}

}  // namespace

void RegisterBehaviours(Agent& agent) {
    agent.columnBehaviours[kBlackListDelete] = RemoveBlackListRow;
    agent.behaviours[kScanStart] = StartScan;
    agent.consistencyChecks.push_back(LldpTimersConsistent);
    agent.consistencyChecks.push_back(TransferAddressesConsistent);
    for (int kind : {9, 10}) {
        agent.behaviours[Private({3, static_cast<oid>(kind), 5, 0})] = [kind](Agent& a, const Value&) {
            PlayTransfer(a, Private({3, static_cast<oid>(kind), 6, 0}));
        };
    }
    agent.columnBehaviours[kRmonStatsStatus] = [](Agent& a, const Oid& cell, const Value& v) {
        MirrorStatisticsEntry(a, cell.back(), static_cast<long>(v.number), true);
    };
    agent.columnBehaviours[kEtherStatsStatus] = [](Agent& a, const Oid& cell, const Value& v) {
        MirrorStatisticsEntry(a, cell.back(), static_cast<long>(v.number), false);
    };
    agent.columnBehaviours[kRmonHistoryStatus] = [](Agent& a, const Oid& cell, const Value& v) {
        Companion(a, kBucketsGranted, cell.back(), static_cast<long>(v.number), Integer(0));
    };
    // The switch grants every bucket requested.
    agent.columnBehaviours[kRmonHistoryBuckets] = [](Agent& a, const Oid& cell, const Value& v) {
        a.model.objects[Cell(kBucketsGranted, cell.back())] = Integer(static_cast<long>(v.number));
    };
    agent.columnBehaviours[kRmonEventStatus] = [](Agent& a, const Oid& cell, const Value& v) {
        Companion(a, kEventLastTimeSent, cell.back(), static_cast<long>(v.number), Typed(ASN_TIMETICKS, 0));
    };

    KeepEqual(agent, kDot1xState, kDot1xStateOfTrunks);
    KeepEqual(agent, Private({6, 1, 3, 0}), StdBridge(2));
    KeepEqual(agent, Private({6, 1, 15, 0}), StdBridge(12));
    KeepEqual(agent, Private({6, 1, 16, 0}), StdBridge(13));
    KeepEqual(agent, Private({6, 1, 17, 0}), StdBridge(14));
    agent.columnBehaviours[kStpPrivateCost] = StpPortCostInUse;
    agent.behaviours[kSaveConfig] = SaveConfiguration;
    agent.behaviours[kReboot] = Reboot;
    agent.columnBehaviours[kVlanRowStatus] = VlanCompanionRows;
}

}  // namespace switchsim
