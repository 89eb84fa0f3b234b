// GETNEXT requests per second against one agent: walks the system group over and over with
// synchronous requests (one outstanding at a time), v1 or v3 authPriv (SHA, DES).
// usage: switchsim_bench HOST:PORT 1|3 SECONDS [COMMUNITY | USER AUTHPASS PRIVPASS]
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool MakeKey(const char* pass, u_char* key, size_t* length, const oid* proto, size_t protoLength) {
    *length = USM_AUTH_KU_LEN;
    return generate_Ku(proto, static_cast<u_int>(protoLength), reinterpret_cast<const u_char*>(pass), std::strlen(pass),
                       key, length) == SNMPERR_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s HOST:PORT 1|3 SECONDS COMMUNITY | USER AUTHPASS PRIVPASS\n", argv[0]);
        return 2;
    }
    const bool v3 = std::string(argv[2]) == "3";
    const double seconds = std::atof(argv[3]);
    if (v3 && argc < 7) return 2;

    setenv("MIBS", "", 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_DEBUG);
    init_snmp("simbench");

    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.peername = argv[1];
    settings.timeout = 2000000;
    settings.retries = 0;
    if (!v3) {
        settings.version = SNMP_VERSION_1;
        settings.community = reinterpret_cast<u_char*>(argv[4]);
        settings.community_len = std::strlen(argv[4]);
    } else {
        settings.version = SNMP_VERSION_3;
        settings.securityName = argv[4];
        settings.securityNameLen = std::strlen(argv[4]);
        settings.securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
        settings.securityAuthProto = const_cast<oid*>(usmHMACSHA1AuthProtocol);
        settings.securityAuthProtoLen = OID_LENGTH(usmHMACSHA1AuthProtocol);
        settings.securityPrivProto = const_cast<oid*>(usmDESPrivProtocol);
        settings.securityPrivProtoLen = OID_LENGTH(usmDESPrivProtocol);
        if (!MakeKey(argv[5], settings.securityAuthKey, &settings.securityAuthKeyLen, settings.securityAuthProto,
                     settings.securityAuthProtoLen) ||
            !MakeKey(argv[6], settings.securityPrivKey, &settings.securityPrivKeyLen, settings.securityAuthProto,
                     settings.securityAuthProtoLen)) {
            std::fprintf(stderr, "cannot make the keys\n");
            return 2;
        }
    }
    void* session = snmp_sess_open(&settings);
    if (!session) {
        std::fprintf(stderr, "cannot open a session to %s\n", argv[1]);
        return 2;
    }

    const oid root[] = {1, 3, 6, 1, 2, 1, 1};
    std::vector<oid> name(std::begin(root), std::end(root));
    long done = 0, failed = 0;
    auto request = [&]() {
        netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GETNEXT);
        snmp_add_null_var(pdu, name.data(), name.size());
        netsnmp_pdu* response = nullptr;
        const int status = snmp_sess_synch_response(session, pdu, &response);
        bool restart = true;
        if (status == STAT_SUCCESS && response && response->errstat == SNMP_ERR_NOERROR && response->variables) {
            const auto* vb = response->variables;
            if (vb->name_length > std::size(root) && std::memcmp(vb->name, root, sizeof root) == 0) {
                name.assign(vb->name, vb->name + vb->name_length);
                restart = false;
            }
        } else {
            ++failed;
        }
        if (restart) name.assign(std::begin(root), std::end(root));
        if (response) snmp_free_pdu(response);
    };
    for (int i = 0; i < 200; ++i) request();  // discovery, caches, first keys
    failed = 0;
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    auto now = start;
    while (now < end) {
        for (int i = 0; i < 50; ++i, ++done) request();
        now = std::chrono::steady_clock::now();
    }
    const double elapsed = std::chrono::duration<double>(now - start).count();
    std::printf("%.0f\n", static_cast<double>(done) / elapsed);
    if (failed) std::fprintf(stderr, "%ld requests failed\n", failed);
    snmp_sess_close(session);
    return failed ? 1 : 0;
}
