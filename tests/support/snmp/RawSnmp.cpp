#include "tests/support/snmp/RawSnmp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <sstream>

namespace testsupport {

std::string Ber(unsigned char tag, const std::string& contents) {
    std::string out(1, static_cast<char>(tag));
    const std::size_t n = contents.size();
    if (n < 0x80) {
        out += static_cast<char>(n);
    } else {
        std::string length;
        for (std::size_t rest = n; rest != 0; rest >>= 8) length.insert(length.begin(), static_cast<char>(rest & 0xFF));
        out += static_cast<char>(0x80 | length.size());
        out += length;
    }
    return out + contents;
}

std::string BerSigned(unsigned char tag, std::int64_t value) {
    std::string bytes;
    for (;;) {
        bytes.insert(bytes.begin(), static_cast<char>(static_cast<unsigned char>(value & 0xFF)));
        const bool negative = (static_cast<unsigned char>(bytes.front()) & 0x80) != 0;
        value >>= 8;  // arithmetic: the sign stays
        if ((value == 0 && !negative) || (value == -1 && negative)) break;
    }
    return Ber(tag, bytes);
}

std::string BerUnsigned(unsigned char tag, std::uint64_t value) {
    std::string bytes;
    do {
        bytes.insert(bytes.begin(), static_cast<char>(value & 0xFF));
        value >>= 8;
    } while (value != 0);
    if (static_cast<unsigned char>(bytes.front()) & 0x80) bytes.insert(bytes.begin(), '\0');
    return Ber(tag, bytes);
}

std::string BerOid(const std::string& dotted) {
    std::vector<unsigned long> parts;
    std::istringstream in(dotted);
    for (std::string part; std::getline(in, part, '.');)
        if (!part.empty()) parts.push_back(std::stoul(part));
    std::string bytes(1, static_cast<char>(parts.at(0) * 40 + parts.at(1)));
    for (std::size_t i = 2; i < parts.size(); ++i) {
        std::string sub(1, static_cast<char>(parts[i] & 0x7F));
        for (unsigned long rest = parts[i] >> 7; rest != 0; rest >>= 7)
            sub.insert(sub.begin(), static_cast<char>(0x80 | (rest & 0x7F)));
        bytes += sub;
    }
    return Ber(0x06, bytes);
}

std::string BerText(const std::string& text) { return Ber(0x04, text); }

namespace {
struct Reader {
    const std::string& s;
    std::size_t at = 0;
    bool Next(unsigned char& tag, std::string& contents) {
        if (at + 2 > s.size()) return false;
        tag = static_cast<unsigned char>(s[at]);
        std::size_t n = static_cast<unsigned char>(s[at + 1]);
        at += 2;
        if (n & 0x80) {
            const std::size_t octets = n & 0x7F;
            n = 0;
            for (std::size_t i = 0; i < octets && at < s.size(); ++i)
                n = (n << 8) | static_cast<unsigned char>(s[at++]);
        }
        if (at + n > s.size()) return false;
        contents = s.substr(at, n);
        at += n;
        return true;
    }
};
long Number(const std::string& bytes) {
    long value = bytes.empty() || !(bytes[0] & 0x80) ? 0 : -1;
    for (char c : bytes) value = (value << 8) | static_cast<unsigned char>(c);
    return value;
}
std::string OidText(const std::string& bytes) {
    if (bytes.empty()) return "";
    const auto first = static_cast<unsigned char>(bytes[0]);
    std::string text = std::to_string(first / 40) + "." + std::to_string(first % 40);
    unsigned long sub = 0;
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        sub = (sub << 7) | (c & 0x7F);
        if (!(c & 0x80)) {
            text += "." + std::to_string(sub);
            sub = 0;
        }
    }
    return text;
}
}  // namespace

bool ParseRawRequest(const std::string& datagram, RawRequest& out) {
    Reader message{datagram};
    unsigned char tag = 0;
    std::string body, field;
    if (!message.Next(tag, body) || tag != 0x30) return false;
    Reader r{body};
    if (!r.Next(tag, field) || tag != 0x02) return false;
    out.version = Number(field);
    if (!r.Next(tag, out.community) || tag != 0x04) return false;
    std::string pdu;
    if (!r.Next(out.pduType, pdu)) return false;
    Reader p{pdu};
    if (!p.Next(tag, field)) return false;
    out.requestId = Number(field);
    std::string list;
    if (!p.Next(tag, field) || !p.Next(tag, field) || !p.Next(tag, list)) return false;
    Reader l{list};
    out.oids.clear();
    for (std::string varbind; l.Next(tag, varbind);) {
        Reader v{varbind};
        if (!v.Next(tag, field) || tag != 0x06) return false;
        out.oids.push_back(OidText(field));
    }
    return true;
}

std::string RawResponse(const RawRequest& request, const std::vector<std::pair<std::string, std::string>>& vars,
                        const std::string& community) {
    std::string list;
    for (const auto& [oid, value] : vars) list += Ber(0x30, BerOid(oid) + value);
    const std::string pdu =
        BerSigned(0x02, request.requestId) + BerSigned(0x02, 0) + BerSigned(0x02, 0) + Ber(0x30, list);
    return Ber(0x30, BerSigned(0x02, request.version) + BerText(community) + Ber(0xA2, pdu));
}

UdpPeer::UdpPeer() {
    m_socket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_socket >= 0 && bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        m_port = ntohs(address.sin_port);
}

UdpPeer::~UdpPeer() {
    if (m_socket >= 0) close(m_socket);
}

bool UdpPeer::Receive(std::string& datagram, int& fromPort, int timeoutMs) {
    pollfd p{m_socket, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return false;
    char buffer[65536];
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t n = recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (n < 0) return false;
    datagram.assign(buffer, static_cast<std::size_t>(n));
    fromPort = ntohs(from.sin_port);
    return true;
}

void UdpPeer::SendTo(int port, const std::string& datagram) const {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sendto(m_socket, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
}

}  // namespace testsupport
