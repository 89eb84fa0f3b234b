#include "tools/switchsim/Agent.h"

#include <arpa/inet.h>

#include <algorithm>

namespace switchsim {

namespace {

const Oid kSysUpTime = {1, 3, 6, 1, 2, 1, 1, 3, 0};

std::optional<Value> FromVar(const netsnmp_variable_list* v) {
    Value x;
    x.type = v->type;
    switch (v->type) {
    case ASN_INTEGER: x.number = *v->val.integer; return x;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS: x.number = static_cast<std::int64_t>(*v->val.integer & 0xFFFFFFFFul); return x;
    case ASN_COUNTER64:
        x.number = static_cast<std::int64_t>((static_cast<std::uint64_t>(v->val.counter64->high) << 32) |
                                             (v->val.counter64->low & 0xFFFFFFFFul));
        return x;
    case ASN_OCTET_STR:
    case ASN_IPADDRESS:
    case ASN_OPAQUE: x.bytes.assign(reinterpret_cast<const char*>(v->val.string), v->val_len); return x;
    case ASN_OBJECT_ID: x.oidValue.assign(v->val.objid, v->val.objid + v->val_len / sizeof(oid)); return x;
    case ASN_NULL: return x;
    default: return std::nullopt;
    }
}

void SetVar(netsnmp_variable_list* vb, const Oid& name, const Value& v) {
    snmp_set_var_objid(vb, name.data(), name.size());
    switch (v.type) {
    case ASN_INTEGER: {
        long n = static_cast<long>(v.number);
        snmp_set_var_typed_value(vb, v.type, &n, sizeof n);
        break;
    }
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS: {
        u_long n = static_cast<u_long>(v.number);
        snmp_set_var_typed_value(vb, v.type, &n, sizeof n);
        break;
    }
    case ASN_COUNTER64: {
        counter64 c{};
        c.high = static_cast<u_long>(static_cast<std::uint64_t>(v.number) >> 32);
        c.low = static_cast<u_long>(static_cast<std::uint64_t>(v.number) & 0xFFFFFFFFu);
        snmp_set_var_typed_value(vb, v.type, &c, sizeof c);
        break;
    }
    case ASN_OBJECT_ID: snmp_set_var_typed_value(vb, v.type, v.oidValue.data(), v.oidValue.size() * sizeof(oid)); break;
    case ASN_OCTET_STR:
    case ASN_IPADDRESS:
    case ASN_OPAQUE: snmp_set_var_typed_value(vb, v.type, v.bytes.data(), v.bytes.size()); break;
    default: snmp_set_var_typed_value(vb, v.type, nullptr, 0); break;
    }
}

Value Exception(u_char type) {
    Value v;
    v.type = type;
    return v;
}

// SNMPv1 knows only the first six error statuses; the others map as RFC 2576 says.
int ToV1(int status) {
    switch (status) {
    case SNMP_ERR_NOERROR:
    case SNMP_ERR_TOOBIG:
    case SNMP_ERR_NOSUCHNAME:
    case SNMP_ERR_BADVALUE:
    case SNMP_ERR_READONLY:
    case SNMP_ERR_GENERR: return status;
    case SNMP_ERR_WRONGVALUE:
    case SNMP_ERR_WRONGENCODING:
    case SNMP_ERR_WRONGTYPE:
    case SNMP_ERR_WRONGLENGTH:
    case SNMP_ERR_INCONSISTENTVALUE: return SNMP_ERR_BADVALUE;
    case SNMP_ERR_NOACCESS:
    case SNMP_ERR_NOTWRITABLE:
    case SNMP_ERR_NOCREATION:
    case SNMP_ERR_INCONSISTENTNAME:
    case SNMP_ERR_AUTHORIZATIONERROR: return SNMP_ERR_NOSUCHNAME;
    default: return SNMP_ERR_GENERR;
    }
}

Oid NameOf(const netsnmp_variable_list* vb) { return Oid(vb->name, vb->name + vb->name_length); }

void JsonText(std::string& out, const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    out += '"';
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            out += "\\u00";
            out += digits[c >> 4];
            out += digits[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

const char* PduName(int command) {
    switch (command) {
    case SNMP_MSG_GET: return "get";
    case SNMP_MSG_GETNEXT: return "getnext";
    case SNMP_MSG_GETBULK: return "getbulk";
    case SNMP_MSG_SET: return "set";
    default: return "other";
    }
}

const char* const kStatusNames[] = {"noError",
                                    "tooBig",
                                    "noSuchName",
                                    "badValue",
                                    "readOnly",
                                    "genErr",
                                    "noAccess",
                                    "wrongType",
                                    "wrongLength",
                                    "wrongEncoding",
                                    "wrongValue",
                                    "noCreation",
                                    "inconsistentValue",
                                    "resourceUnavailable",
                                    "commitFailed",
                                    "undoFailed",
                                    "authorizationError",
                                    "notWritable",
                                    "inconsistentName"};

}  // namespace

std::optional<int> ParseErrorStatus(const std::string& text) {
    for (int i = 0; i < static_cast<int>(std::size(kStatusNames)); ++i)
        if (text == kStatusNames[i] || text == std::to_string(i)) return i;
    return std::nullopt;
}

Agent::Agent() = default;

Agent::~Agent() {
    for (auto& [due, pdu] : delayed_) snmp_free_pdu(pdu);
    if (log_) std::fclose(log_);
}

bool Agent::OpenLog(std::string& error) {
    if (config.logPath.empty()) return true;
    log_ = std::fopen(config.logPath.c_str(), "a");
    if (!log_) error = "cannot open the request log " + config.logPath;
    return log_ != nullptr;
}

void Agent::After(int ms, std::function<void(Agent&)> action) {
    timers_.emplace(Clock::now() + std::chrono::milliseconds(ms), std::move(action));
}

std::optional<Value> Agent::Read(const Oid& name) const {
    if (auto s = faults.served.find(name); s != faults.served.end()) return s->second;
    auto it = model.objects.find(name);
    if (it == model.objects.end() || model.IsNoAccess(name)) return std::nullopt;
    if (name == kSysUpTime) {
        Value v = it->second;
        v.number = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - upSince_).count() / 10;
        return v;
    }
    return it->second;
}

bool Agent::Silenced(const Oid& name) const {
    for (const Oid& p : faults.silentPrefixes)
        if (HasPrefix(name, p)) return true;
    return false;
}

int Agent::InjectedError(const Oid& name) const {
    for (const auto& [prefix, status] : faults.errors)
        if (HasPrefix(name, prefix)) return status;
    return 0;
}

std::optional<std::pair<Oid, Value>> Agent::Next(const Oid& from) const {
    for (const Oid& p : faults.loops) {
        if (!HasPrefix(from, p) || from == p) continue;
        // A looping device answers with the first object of the subtree again.
        auto first = model.objects.lower_bound(p);
        if (first != model.objects.end() && HasPrefix(first->first, p))
            return std::make_pair(first->first, *Read(first->first));
    }
    for (auto it = model.objects.upper_bound(from); it != model.objects.end(); ++it) {
        if (model.IsNoAccess(it->first)) continue;
        return std::make_pair(it->first, *Read(it->first));
    }
    return std::nullopt;
}

bool Agent::Faulted(const Oid& name, const Oid* answered, int index, Answer& answer, bool& silent) const {
    if (Silenced(name) || (answered && Silenced(*answered))) {
        silent = true;
        return true;
    }
    int status = InjectedError(name);
    if (!status && answered) status = InjectedError(*answered);
    if (!status) return false;
    answer.errorStatus = status;
    answer.errorIndex = index;
    return true;
}

void Agent::Get(netsnmp_pdu* request, Answer& answer, bool& silent) const {
    int index = 0;
    for (auto* vb = request->variables; vb; vb = vb->next_variable) {
        Oid name = NameOf(vb);
        if (Faulted(name, nullptr, ++index, answer, silent)) return;
        if (auto v = Read(name)) {
            answer.varbinds.emplace_back(std::move(name), *v);
        } else if (request->version == SNMP_VERSION_1) {
            answer.errorStatus = SNMP_ERR_NOSUCHNAME;
            answer.errorIndex = index;
            return;
        } else {
            // noSuchInstance when the object type exists (some object lives beside it).
            Oid parent(name.begin(), name.end() - 1);
            auto near = model.objects.lower_bound(parent);
            bool known = name.size() > 2 && near != model.objects.end() && HasPrefix(near->first, parent);
            answer.varbinds.emplace_back(std::move(name), Exception(known ? SNMP_NOSUCHINSTANCE : SNMP_NOSUCHOBJECT));
        }
    }
}

bool Agent::Step(const netsnmp_pdu* request, const Oid& from, int index, Answer& answer, bool& silent,
                 Oid& reached) const {
    auto next = Next(from);
    if (Faulted(from, next ? &next->first : nullptr, index, answer, silent)) return false;
    if (next) {
        reached = next->first;
        answer.varbinds.push_back(std::move(*next));
    } else if (request->version == SNMP_VERSION_1) {
        answer.errorStatus = SNMP_ERR_NOSUCHNAME;  // the end of the MIB for v1
        answer.errorIndex = index;
        return false;
    } else {
        reached = from;
        answer.varbinds.emplace_back(from, Exception(SNMP_ENDOFMIBVIEW));
    }
    return true;
}

void Agent::GetNext(netsnmp_pdu* request, Answer& answer, bool& silent) const {
    int index = 0;
    Oid reached;
    for (auto* vb = request->variables; vb; vb = vb->next_variable)
        if (!Step(request, NameOf(vb), ++index, answer, silent, reached)) return;
}

void Agent::GetBulk(netsnmp_pdu* request, Answer& answer, bool& silent) const {
    std::vector<Oid> names;
    for (auto* vb = request->variables; vb; vb = vb->next_variable) names.push_back(NameOf(vb));
    const size_t nonRepeaters =
        std::min<size_t>(static_cast<size_t>(std::max(0L, request->non_repeaters)), names.size());
    const long repetitions = std::max(0L, request->max_repetitions);
    const size_t limit =
        request->msgMaxSize > 484 ? static_cast<size_t>(std::min(request->msgMaxSize, 65000L)) - 100 : 1372;
    // The answer's size: each varbind's name, value and a little encoding overhead.
    auto size = [&answer]() {
        size_t total = 0;
        for (const auto& [name, v] : answer.varbinds)
            total += name.size() * 2 + v.bytes.size() + v.oidValue.size() * 2 + 12;
        return total;
    };
    Oid reached;
    for (size_t i = 0; i < nonRepeaters; ++i)
        if (!Step(request, names[i], static_cast<int>(i + 1), answer, silent, reached)) return;
    std::vector<Oid> cursor(names.begin() + static_cast<long>(nonRepeaters), names.end());
    for (long r = 0; r < repetitions && !cursor.empty(); ++r) {
        bool allEnded = true;
        const size_t mark = answer.varbinds.size();
        for (size_t i = 0; i < cursor.size(); ++i) {
            if (!Step(request, cursor[i], static_cast<int>(nonRepeaters + i + 1), answer, silent, reached)) return;
            if (answer.varbinds.back().second.type != SNMP_ENDOFMIBVIEW) allEnded = false;
            cursor[i] = reached;
        }
        if (r > 0 && size() > limit) {
            answer.varbinds.resize(mark);  // the last repetition does not fit: leave it out
            break;
        }
        if (allEnded) break;
    }
}

int Agent::WriteStatus(RowKind kind, const Oid& cell, size_t columnLength, long value,
                       std::vector<std::pair<Oid, std::optional<Value>>>& undo) {
    auto it = model.objects.find(cell);
    const bool exists = it != model.objects.end();
    long stored = 0;
    if (kind == RowKind::RowStatus) {
        switch (value) {
        case 1:  // active
        case 2:  // notInService
            if (!exists) return SNMP_ERR_INCONSISTENTVALUE;
            stored = value;
            break;
        case 4:  // createAndGo
        case 5:  // createAndWait
            if (exists) return SNMP_ERR_INCONSISTENTVALUE;
            stored = value == 4 ? 1 : 2;
            break;
        case 6:  // destroy
            model.RemoveRow(cell, columnLength, &undo);
            return SNMP_ERR_NOERROR;
        default: return SNMP_ERR_WRONGVALUE;
        }
    } else {
        switch (value) {
        case 1:  // valid
            if (!exists) return SNMP_ERR_INCONSISTENTVALUE;
            stored = 1;
            break;
        case 2:          // createRequest: a new entry, or an existing one (valid too) back under creation
            stored = 3;  // underCreation, with the cells it has
            break;
        case 4:  // invalid
            model.RemoveRow(cell, columnLength, &undo);
            return SNMP_ERR_NOERROR;
        default: return SNMP_ERR_WRONGVALUE;
        }
    }
    undo.emplace_back(cell, exists ? std::optional<Value>(it->second) : std::nullopt);
    Value v;
    v.type = ASN_INTEGER;
    v.number = stored;
    model.objects[cell] = v;
    // A new row holds every column at once, so a walk of its table stays aligned even while
    // the columns' own writes are still to come.
    if (!exists) model.FillCreatedRow(cell, columnLength, &undo);
    return SNMP_ERR_NOERROR;
}

int Agent::Write(const Oid& name, const Value& value, const std::vector<Oid>& creating,
                 std::vector<std::pair<Oid, std::optional<Value>>>& undo) {
    if (model.IsNoAccess(name)) return SNMP_ERR_NOACCESS;
    const bool readOnly = model.IsReadOnly(name);
    Oid column;
    if (RowKind kind = model.StatusColumnOf(name, &column); kind != RowKind::None) {
        if (readOnly) return SNMP_ERR_NOTWRITABLE;
        if (value.type != ASN_INTEGER) return SNMP_ERR_WRONGTYPE;
        if (int refused = model.CheckAllowed(name, value)) return refused;
        return WriteStatus(kind, name, column.size(), static_cast<long>(value.number), undo);
    }
    auto it = model.objects.find(name);
    if (it != model.objects.end()) {
        if (readOnly) return SNMP_ERR_NOTWRITABLE;
        if (it->second.type != value.type) return SNMP_ERR_WRONGTYPE;
        if (int refused = model.CheckAllowed(name, value)) return refused;
        undo.emplace_back(name, it->second);
        it->second = value;
        return SNMP_ERR_NOERROR;
    }
    // A missing cell may be written in a row that exists or that this PDU creates.
    auto statusCell = model.StatusCellFor(name);
    if (!statusCell) return SNMP_ERR_NOTWRITABLE;
    if (!model.objects.count(*statusCell) && std::find(creating.begin(), creating.end(), *statusCell) == creating.end())
        return readOnly ? SNMP_ERR_NOTWRITABLE : SNMP_ERR_NOCREATION;
    if (readOnly) return SNMP_ERR_NOTWRITABLE;
    model.StatusColumnOf(*statusCell, &column);
    if (auto type = model.ColumnType(name, column.size()); type && *type != value.type) return SNMP_ERR_WRONGTYPE;
    if (int refused = model.CheckAllowed(name, value)) return refused;
    undo.emplace_back(name, std::nullopt);
    model.objects[name] = value;
    return SNMP_ERR_NOERROR;
}

void Agent::Set(netsnmp_pdu* request, bool writable, Answer& answer, bool& silent) {
    std::vector<std::pair<Oid, Value>> writes;
    std::vector<Oid> creating;
    int index = 0;
    for (auto* vb = request->variables; vb; vb = vb->next_variable) {
        Oid name = NameOf(vb);
        if (Faulted(name, nullptr, ++index, answer, silent)) return;
        auto value = FromVar(vb);
        if (!writable || !value) {
            answer.errorStatus = writable ? SNMP_ERR_WRONGTYPE : SNMP_ERR_NOACCESS;
            answer.errorIndex = index;
            return;
        }
        RowKind kind = model.StatusColumnOf(name);
        const long n = value->type == ASN_INTEGER ? static_cast<long>(value->number) : 0;
        if ((kind == RowKind::RowStatus && (n == 4 || n == 5)) || (kind == RowKind::EntryStatus && n == 2))
            creating.push_back(name);
        writes.emplace_back(std::move(name), std::move(*value));
    }
    // All or nothing: apply in order, undo everything at the first refusal.
    std::vector<std::pair<Oid, std::optional<Value>>> undo;
    for (size_t i = 0; i < writes.size(); ++i) {
        if (int status = Write(writes[i].first, writes[i].second, creating, undo)) {
            for (auto u = undo.rbegin(); u != undo.rend(); ++u) {
                if (u->second) model.objects[u->first] = *u->second;
                else model.objects.erase(u->first);
            }
            answer.errorStatus = status;
            answer.errorIndex = static_cast<int>(i + 1);
            return;
        }
    }
    for (const Consistency& check : consistencyChecks) {
        if (int status = check(*this)) {
            for (auto u = undo.rbegin(); u != undo.rend(); ++u) {
                if (u->second) model.objects[u->first] = *u->second;
                else model.objects.erase(u->first);
            }
            answer.errorStatus = status;
            answer.errorIndex = 1;
            return;
        }
    }
    for (auto& w : writes) {
        answer.varbinds.push_back(w);
        if (auto b = behaviours.find(w.first); b != behaviours.end()) b->second(*this, w.second);
        // The instance may take several arcs (a table indexed by a MAC address and more).
        for (const auto& [column, behaviour] : columnBehaviours) {
            if (w.first.size() > column.size() && HasPrefix(w.first, column)) behaviour(*this, w.first, w.second);
        }
    }
}

void Agent::HandleRequest(netsnmp_pdu* request) {
    const int command = request->command;
    if (command != SNMP_MSG_GET && command != SNMP_MSG_GETNEXT && command != SNMP_MSG_GETBULK &&
        command != SNMP_MSG_SET)
        return;
    bool readable = true;
    bool writable = true;
    if (request->version != SNMP_VERSION_3) {
        const std::string community(reinterpret_cast<const char*>(request->community), request->community_len);
        writable = community == config.writeCommunity;
        readable = writable || community == config.readCommunity;
    }
    bool silent = !readable || faults.silentAll || Clock::now() < silentUntil_;
    Answer answer;
    if (!silent) {
        switch (command) {
        case SNMP_MSG_GET: Get(request, answer, silent); break;
        case SNMP_MSG_GETNEXT: GetNext(request, answer, silent); break;
        case SNMP_MSG_GETBULK: GetBulk(request, answer, silent); break;
        default: Set(request, writable, answer, silent); break;
        }
    }
    if (request->version == SNMP_VERSION_1) answer.errorStatus = ToV1(answer.errorStatus);
    const bool resent = Resent(request);
    const bool lost = !silent && faults.dropAnswers > 0;
    if (lost) --faults.dropAnswers;
    Log(request, !silent && !lost, resent, answer.errorStatus, answer.errorIndex);
    if (silent || lost) return;

    netsnmp_pdu* response = snmp_clone_pdu(request);
    if (!response) return;
    response->command = SNMP_MSG_RESPONSE;
    response->errstat = answer.errorStatus;
    response->errindex = answer.errorIndex;
    if (!answer.errorStatus) {
        if (command == SNMP_MSG_GETBULK) {
            snmp_free_varbind(response->variables);
            response->variables = nullptr;
            netsnmp_variable_list* last = nullptr;
            for (const auto& [name, value] : answer.varbinds) {
                auto* vb = static_cast<netsnmp_variable_list*>(calloc(1, sizeof(netsnmp_variable_list)));
                SetVar(vb, name, value);
                (last ? last->next_variable : response->variables) = vb;
                last = vb;
            }
        } else {
            size_t i = 0;
            for (auto* vb = response->variables; vb; vb = vb->next_variable, ++i)
                SetVar(vb, answer.varbinds[i].first, answer.varbinds[i].second);
        }
    }
    if (faults.delayMs > 0) {
        delayed_.emplace_back(Clock::now() + std::chrono::milliseconds(faults.delayMs), response);
        std::stable_sort(delayed_.begin(), delayed_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        return;
    }
    Send(response);
}

void Agent::Send(netsnmp_pdu* response) {
    for (int copy = 1; copy < faults.copies; ++copy) {
        netsnmp_pdu* again = snmp_clone_pdu(response);
        if (again && !snmp_send(session_, again)) snmp_free_pdu(again);
    }
    if (!snmp_send(session_, response)) snmp_free_pdu(response);
}

bool Agent::Resent(const netsnmp_pdu* request) {
    std::string source;
    if (request->transport_data &&
        request->transport_data_length >= static_cast<int>(sizeof(netsnmp_sockaddr_storage))) {
        const auto& from = static_cast<const netsnmp_indexed_addr_pair*>(request->transport_data)->remote_addr.sin;
        source = std::to_string(ntohl(from.sin_addr.s_addr)) + ":" + std::to_string(ntohs(from.sin_port));
    }
    auto key = std::make_pair(std::move(source), request->reqid);
    if (seen_.count(key)) return true;
    constexpr size_t kRemembered = 4096;
    if (seenOrder_.size() == kRemembered) {
        seen_.erase(seenOrder_.front());
        seenOrder_.pop_front();
    }
    seen_.insert(key);
    seenOrder_.push_back(std::move(key));
    return false;
}

Clock::time_point Agent::RunDue(Clock::time_point now) {
    while (!delayed_.empty() && delayed_.front().first <= now) {
        netsnmp_pdu* response = delayed_.front().second;
        delayed_.pop_front();
        Send(response);
    }
    while (!timers_.empty() && timers_.begin()->first <= now) {
        auto action = std::move(timers_.begin()->second);
        timers_.erase(timers_.begin());
        action(*this);
    }
    Clock::time_point next = Clock::time_point::max();
    if (!delayed_.empty()) next = delayed_.front().first;
    if (!timers_.empty()) next = std::min(next, timers_.begin()->first);
    return next;
}

void Agent::Log(const netsnmp_pdu* request, bool answered, bool resent, int errorStatus, int errorIndex) {
    if (!log_) return;
    std::string line;
    line.reserve(256);
    line += "{\"seq\":" + std::to_string(++logCount_);
    line += ",\"arrivalUs\":" +
            std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started_).count());
    line += ",\"version\":\"";
    line += request->version == SNMP_VERSION_1 ? "1" : request->version == SNMP_VERSION_2c ? "2c" : "3";
    line += '"';
    if (request->version == SNMP_VERSION_3) {
        line += ",\"user\":";
        JsonText(line, std::string(request->securityName ? request->securityName : "", request->securityNameLen));
        line += ",\"level\":\"";
        line += request->securityLevel == SNMP_SEC_LEVEL_AUTHPRIV     ? "authPriv"
                : request->securityLevel == SNMP_SEC_LEVEL_AUTHNOPRIV ? "authNoPriv"
                                                                      : "noAuthNoPriv";
        line += '"';
    } else {
        line += ",\"community\":";
        JsonText(line, std::string(reinterpret_cast<const char*>(request->community), request->community_len));
    }
    line += ",\"pdu\":\"";
    line += PduName(request->command);
    line += "\",\"requestId\":" + std::to_string(request->reqid);
    if (resent) line += ",\"resent\":true";
    if (request->command == SNMP_MSG_GETBULK) {
        line += ",\"nonRepeaters\":" + std::to_string(request->non_repeaters);
        line += ",\"maxRepetitions\":" + std::to_string(request->max_repetitions);
    }
    line += ",\"varbinds\":[";
    for (auto* vb = request->variables; vb; vb = vb->next_variable) {
        if (vb != request->variables) line += ',';
        line += "{\"oid\":\"" + FormatOid(vb->name, vb->name_length) + "\",\"type\":\"" + TypeName(vb->type) + '"';
        if (auto v = FromVar(vb); v && v->type != ASN_NULL) {
            line += ",\"value\":";
            JsonText(line, v->type == ASN_OCTET_STR || v->type == ASN_OPAQUE ? v->bytes : FormatValue(*v));
            if (v->type == ASN_OCTET_STR || v->type == ASN_OPAQUE) {
                line += ",\"hex\":\"";
                for (char c : FormatValue(*v))
                    if (c != ' ') line += c;
                line += '"';
            }
        }
        line += '}';
    }
    line += "],\"errorStatus\":" + std::to_string(errorStatus);
    line += ",\"errorIndex\":" + std::to_string(errorIndex);
    line += answered ? ",\"answered\":true}\n" : ",\"answered\":false}\n";
    std::fputs(line.c_str(), log_);
    std::fflush(log_);
}

}  // namespace switchsim
