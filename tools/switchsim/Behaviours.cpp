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

}  // namespace

void RegisterBehaviours(Agent& agent) {
    agent.behaviours[kSaveConfig] = SaveConfiguration;
    agent.behaviours[kReboot] = Reboot;
}

}  // namespace switchsim
