#pragma once
// Static helpers: port sets and port lists, MAC and IP address texts, VLAN lists, names,
// dates and durations. No state; any thread may call them. Functions that depend on the
// port count read g_nDevicePortNum at the moment of the call.
#include <cstdint>
#include <string>

class CUtils {
public:
    CUtils() = delete;

    // ---- port sets and port lists
    // Appends ceil(N/4) lower-case hexadecimal digits, four ports per digit (8, 4, 2, 1);
    // any non-zero element is a member.
    static void PortArrayToHexBitmap(const int* ports, std::string& hex);
    // Appends "0" digits by the port count (8 digits up to 28 ports, 16 for 48 and 52).
    static int PadPortBitmapHex(std::string& hex);
    // Per-port flags (element p-1 for port p, any non-zero a member) as the bytes of a port
    // bitmap on the wire: the hexadecimal text padded by PadPortBitmapHex, or with "0" digits
    // up to hexDigits when that is given, two digits a byte.
    static std::string PortFlagsToBitmap(const int* ports, int hexDigits = 0);
    // One byte per two digits, at most capacity bytes; an odd text gets a "0" appended.
    static int HexStringToBytes(std::string hex, unsigned char* out, int capacity);
    // The ports of the first ceil(N/8) bytes, ascending, joined by ","; bytes beyond length
    // read as 0. count receives the number of ports listed.
    static std::string PortBitmapToList(const char* bytes, int length, int* count);
    static std::string PortBitmapToList(const std::string& bytes, int* count) {
        return PortBitmapToList(bytes.data(), static_cast<int>(bytes.size()), count);
    }
    // Appends the range list ("1-3,5") of the set ports between lowest and highest.
    static int BitmapToPortRangeList(const char* bytes, int length, int lowest, int highest, std::string& out);
    static std::string HexBitmapToPortList(std::string hex, int* count);
    static void PortListToArray(std::string list, int* ports, int value);
    // A typed list such as "1,3-5": 1 and the named ports set to 1, or "Invalid Portlist" and 0.
    static int ParsePortList(std::string list, int* ports);
    static int HasNoSpecialCharsOrLetters(std::string text);

    // ---- addresses, MACs and text
    static int ValidateMacInput(std::string mac, bool allowMulticast);
    static std::string MacToOidSuffix(std::string mac);
    // Six bytes as "00-11-22-33-44-55" (upper case); missing bytes read as 0.
    static std::string MacBytesToText(const std::string& bytes);
    static std::string ExpandIPv6(std::string text);
    static std::string PadGroup4(std::string text);
    static std::string TrimLeadingZeros(std::string group);
    static std::string CompressIPv6(std::string text);
    static std::string AddressBytesToText(const unsigned char* bytes, int addressType);
    static std::string HexToDottedIPv4(std::string hex);
    static std::string AddressTextToHex(std::string text);
    static int ParseVlanList(std::string list, int highestId);
    static int HasNoSpecialChars(std::string text);
    static bool IsLeapYear(int year);
    static std::string DaysInMonth(std::string year, std::string month);
    // Refills the day combo box with "1" up to the day count of the month the year and
    // month controls show, and selects the first entry; a month it does not know leaves the
    // box empty. Any window classes with GetWindowText, ResetContent, AddString, SetCurSel.
    template <class Wnd, class Combo>
    static void FillDayCombo(const Wnd* yearCtrl, const Wnd* monthCtrl, Combo* dayCombo) {
        if (yearCtrl == nullptr || monthCtrl == nullptr || dayCombo == nullptr) return;
        const std::string days = DaysInMonth(yearCtrl->GetWindowText(), monthCtrl->GetWindowText());
        dayCombo->ResetContent();
        const int count = days.empty() ? 0 : std::stoi(days);
        for (int day = 1; day <= count; ++day) dayCombo->AddString(std::to_string(day));
        dayCombo->SetCurSel(0);
    }
    static std::string SecondsToDurationText(uint32_t seconds);

    // ---- programs
    // The default web browser's program as an absolute path (the desktop's default handler of
    // http links, without the arguments of its command); "" when there is none, it is not an
    // absolute path, or it is longer than 199 characters (the size the command line keeps).
    static std::string GetDefaultBrowserPath();

    // ---- IP address checks
    static int IsValidIPv4Host(std::string text);
    // 1 valid, 0 invalid, -1 zone too long, -2 link-local address with an empty zone.
    static int IsValidIPv6(std::string address, std::string zone, bool zoneTyped, bool zonesAllowed);
};
