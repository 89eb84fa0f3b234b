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

}  // namespace

void RegisterBehaviours(Agent& agent) {
    agent.behaviours[kSaveConfig] = SaveConfiguration;
    agent.behaviours[kReboot] = Reboot;
    agent.columnBehaviours[kVlanRowStatus] = VlanCompanionRows;
}

}  // namespace switchsim
