#pragma once
// Hand-made SNMPv1 and v2c datagrams on 127.0.0.1, for peers that answer as no real agent
// would: a stranger that answers first, another community, numbers beyond their range.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// BER encoding of the pieces of a message.
std::string Ber(unsigned char tag, const std::string& contents);
// A number in its shortest two's complement form.
std::string BerSigned(unsigned char tag, std::int64_t value);
std::string BerUnsigned(unsigned char tag, std::uint64_t value);
std::string BerOid(const std::string& dotted);
std::string BerText(const std::string& text);  // OCTET STRING

// What a peer needs of a community-based request.
struct RawRequest {
    long version = 0;  // 0 for v1, 1 for v2c
    std::string community;
    unsigned char pduType = 0;
    long requestId = 0;
    std::vector<std::string> oids;
};
bool ParseRawRequest(const std::string& datagram, RawRequest& out);

// A response to a request, each variable given as its OID and its encoded value.
std::string RawResponse(const RawRequest& request, const std::vector<std::pair<std::string, std::string>>& vars,
                        const std::string& community);

// A UDP socket on 127.0.0.1 with a port of its own.
class UdpPeer {
public:
    UdpPeer();
    ~UdpPeer();
    UdpPeer(const UdpPeer&) = delete;
    UdpPeer& operator=(const UdpPeer&) = delete;
    int Port() const { return m_port; }
    std::string Address() const { return "127.0.0.1:" + std::to_string(m_port); }
    // The next datagram within timeoutMs, with the sender's port; false when none came.
    bool Receive(std::string& datagram, int& fromPort, int timeoutMs);
    void SendTo(int port, const std::string& datagram) const;

private:
    int m_socket = -1;
    int m_port = 0;
};

}  // namespace testsupport
