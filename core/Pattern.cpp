#include "core/Pattern.h"

#include <cctype>
#include <climits>
#include <cstring>

#include "core/PatternNodes.h"

namespace {

bool IsHex(int c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(int c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }
bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// A number as quantifiers, back-references and numeric names write it: optional white
// space, at most three digits, optional white space. Returns the index after it, or -1
// when there are no digits.
int ReadNumber(const CBufferT<char>& text, int from, int& value) {
    int i = from;
    const int n = text.GetSize();
    while (i < n && IsBlank(text[i])) ++i;
    int digits = 0;
    value = 0;
    while (i < n && digits < 3 && IsDigit(text[i])) {
        value = value * 10 + (text[i] - '0');
        ++i;
        ++digits;
    }
    if (digits == 0) return -1;
    while (i < n && IsBlank(text[i])) ++i;
    return i;
}

// True when the whole text reads as a number; value receives it.
bool IsWholeNumber(const CBufferT<char>& text, int& value) { return ReadNumber(text, 0, value) == text.GetSize(); }

bool SameName(const CBufferT<char>& a, const CBufferT<char>& b) {
    if (a.GetSize() != b.GetSize()) return false;
    for (int i = 0; i < a.GetSize(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

void AppendChar(CBufferT<char>& text, int ch) {
    const char c = static_cast<char>(ch);
    text.Append(&c, 1);
}

// POSIX class predicates; characters arrive as signed byte values.
template <int (*F)(int)>
bool Classify(int ch) {
    return ch >= 0 && F(ch) != 0;
}
bool IsAsciiChar(int ch) { return ch >= 0 && ch < 0x80; }
bool IsBlankChar(int ch) { return ch == ' ' || ch == '\t'; }

struct PosixName {
    const char* name;
    CPosixElxT::Predicate predicate;
};
const PosixName kPosixNames[] = {
    {"alnum:", Classify<isalnum>}, {"alpha:", Classify<isalpha>}, {"ascii:", IsAsciiChar},
    {"cntrl:", Classify<iscntrl>}, {"digit:", Classify<isdigit>}, {"graph:", Classify<isgraph>},
    {"lower:", Classify<islower>}, {"print:", Classify<isprint>}, {"punct:", Classify<ispunct>},
    {"space:", Classify<isspace>}, {"upper:", Classify<isupper>}, {"xdigit:", Classify<isxdigit>},
    {"blank:", IsBlankChar},
};

// The number a group's brackets carry; -1 for an entry that is no group.
int GroupNumber(ElxInterface* entry) {
    auto* list = dynamic_cast<CListElxT*>(entry);
    if (list == nullptr || list->m_elxlist.GetSize() < 1) return -1;
    auto* bracket = dynamic_cast<CBracketElxT*>(list->m_elxlist[0]);
    return bracket != nullptr ? bracket->m_nnumber : -1;
}

void SetGroupNumber(CListElxT* group, int number) {
    for (int i = 0; i < group->m_elxlist.GetSize(); ++i) {
        if (auto* bracket = dynamic_cast<CBracketElxT*>(group->m_elxlist[i])) bracket->m_nnumber = number;
    }
}

const CBufferT<char>& GroupName(CListElxT* group) {
    static const CBufferT<char> kNone;
    for (int i = 0; i < group->m_elxlist.GetSize(); ++i) {
        auto* bracket = dynamic_cast<CBracketElxT*>(group->m_elxlist[i]);
        if (bracket != nullptr && bracket->m_szNamed.GetSize() > 0) return bracket->m_szNamed;
    }
    return kNone;
}

}  // namespace

// ---- match state and whole-text match

void CMatchState::Reset(const char* text, int length, bool rightToLeft) {
    m_stack.Clear();
    m_capture.Clear();
    m_captureIndex.Clear();
    m_nCloseCounter = 0;
    m_nLastEndPosition = -1;
    m_pText = text;
    m_nLength = length;
    m_nBeginPosition = rightToLeft ? length : 0;
    m_nCurrentPosition = m_nBeginPosition;
    m_nDepth = 0;
    m_nSteps = 0;
    m_bAborted = false;
}

CMatchRecord CPatternT::Match(const char* text) const {
    return Match(text, text != nullptr ? static_cast<int>(std::strlen(text)) : 0);
}

CMatchRecord CPatternT::Match(const char* text, int length, CMatchState* supplied) const {
    CMatchRecord record;
    if (m_pTopElx == nullptr || text == nullptr || length < 0) return record;
    CMatchState local;
    CMatchState& s = supplied != nullptr ? *supplied : local;
    const bool rightToLeft = (m_nFlags & PATTERN_RIGHT_TO_LEFT) != 0;
    s.Reset(text, length, rightToLeft);
    const int target = rightToLeft ? 0 : length;

    s.m_captureIndex.Prepare(m_nMaxNumber, -1);
    s.m_captureIndex[0] = 0;
    s.m_capture.Push(0);
    s.m_capture.Push(s.m_nCurrentPosition);
    s.m_capture.Push(-1);
    s.m_capture.Push(-1);

    if (!ChildMatch(m_pTopElx, s)) return record;
    while (s.m_nCurrentPosition != target) {
        if (!ChildMatchNext(m_pTopElx, s)) return record;
        if (s.m_nLastEndPosition == s.m_nBeginPosition && s.m_nBeginPosition == s.m_nCurrentPosition) return record;
        s.m_nLastEndPosition = s.m_nCurrentPosition;
    }
    s.m_capture[2] = s.m_nCurrentPosition;

    record.Push(1);
    record.Push(m_nMaxNumber);
    for (int g = 0; g <= m_nMaxNumber; ++g) {
        const int k = s.m_captureIndex.At(g, -1);
        if (k >= 0 && k + 3 < s.m_capture.GetSize()) {
            const int start = s.m_capture[k + 1];
            const int end = s.m_capture[k + 2];
            record.Push(start < end ? start : end);
            record.Push(start < end ? end : start);
        } else {
            record.Push(-1);
            record.Push(-1);
        }
    }
    return record;
}

// ---- the pattern object

CPatternT::CPatternT(const char* pattern, int flags) {
    if (pattern != nullptr) Compile(pattern, static_cast<int>(std::strlen(pattern)), flags);
}

CPatternT::~CPatternT() { Clear(); }

void CPatternT::Clear() {
    for (int i = 0; i < m_objlist.GetSize(); ++i) delete m_objlist[i];
    m_objlist.Clear();
    m_pTopElx = nullptr;
    m_nMaxNumber = 0;
    for (auto& slot : m_pStockElxs) slot = nullptr;
    m_grouplist.Clear();
    m_recursivelist.Clear();
    m_namedlist.Clear();
    m_namedbackreflist.Clear();
    m_namedconditionlist.Clear();
}

template <class T, class... Args>
T* CPatternT::Make(Args&&... args) {
    T* node = new T(std::forward<Args>(args)...);
    m_objlist.Push(node);
    return node;
}

void CPatternT::Compile(const char* pattern, int length, int flags) {
    Clear();
    if (pattern == nullptr) return;
    m_pattern = CBufferRefT<char>(pattern, length < 0 ? 0 : length);
    m_nReadPos = 0;
    m_nCharsetDepth = 0;
    m_nMaxNumber = 0;
    m_nNextNamed = 0;
    m_nGroupCount = 0;
    m_nFlags = flags;
    m_bQuoted = false;
    m_quoteCase = 0;
    m_grouplist.Clear();
    m_recursivelist.Clear();
    m_namedlist.Clear();
    m_namedbackreflist.Clear();
    m_namedconditionlist.Clear();
    m_lastRead[0] = m_lastRead[1] = Token();
    m_nGroupDepth = 0;
    m_bTooDeep = false;
    for (auto& token : m_tokens) token = Token();

    MoveNext();
    MoveNext();
    MoveNext();

    m_grouplist.Prepare(0, nullptr);
    m_pTopElx = BuildAlternative(flags);
    if (m_bTooDeep) {
        Clear();
    } else {
        Resolve();
    }
    m_pattern = CBufferRefT<char>();
}

// ---- tokenizer

bool CPatternT::ReadToken(Token& out) {
    const int n = m_pattern.GetSize();
    const char* p = m_pattern.GetBuffer();
    const int pos = m_nReadPos;
    out = Token();
    out.pos = pos;
    if (pos >= n) {
        out.ch = 0;
        out.type = SPECIAL;
        out.len = 0;
        return true;
    }
    const int c = static_cast<unsigned char>(p[pos]);
    auto at = [&](int i) { return i < n ? static_cast<unsigned char>(p[i]) : -1; };
    auto token = [&](int ch, int type, int len) {
        out.ch = ch & 0xFF;
        out.type = type;
        out.len = len;
        m_nReadPos = pos + len;
        return true;
    };
    auto literal = [&](int ch, int len) { return token(ch, LITERAL, len); };
    auto special = [&](int ch, int len) { return token(ch, SPECIAL, len); };
    const bool inSet = m_nCharsetDepth > 0;

    if (m_bQuoted) {
        if (c == '\\' && at(pos + 1) == 'E') {
            m_bQuoted = false;
            m_quoteCase = 0;
            m_nReadPos = pos + 2;
            return false;
        }
        int ch = c;
        if (m_quoteCase == 1) ch = std::tolower(ch);
        if (m_quoteCase == 2) ch = std::toupper(ch);
        return literal(ch, 1);
    }

    const bool freeSpacing = (m_nFlags & PATTERN_FREE_SPACING) != 0;
    switch (c) {
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case ' ':
        if (freeSpacing) {
            m_nReadPos = pos + 1;
            return false;
        }
        return literal(c, 1);
    case '#':
        if (freeSpacing) {
            int i = pos;
            while (i < n && p[i] != '\n' && p[i] != '\r') ++i;
            m_nReadPos = i;
            return false;
        }
        return literal(c, 1);
    case '$':
    case ')':
    case '*':
    case '+':
    case '.':
    case '?':
    case '{':
    case '}':
    case '|': return inSet ? literal(c, 1) : special(c, 1);
    case '(':
        if (at(pos + 1) == '?' && at(pos + 2) == '#') {
            int i = pos + 3;
            while (i < n && p[i] != ')') ++i;
            m_nReadPos = i < n ? i + 1 : n;
            return false;
        }
        return inSet ? literal(c, 1) : special(c, 1);
    case '-': return inSet ? special(c, 1) : literal(c, 1);
    case ':': return m_lastRead[0].Is('[', SPECIAL) ? special(c, 1) : literal(c, 1);
    case '[':
        if (inSet && at(pos + 1) != ':') return literal(c, 1);
        ++m_nCharsetDepth;
        return special(c, 1);
    case ']':
        if (!inSet) return literal(c, 1);
        --m_nCharsetDepth;
        return special(c, 1);
    case '^':
        if (!inSet || m_lastRead[0].Is('[', SPECIAL) ||
            (m_lastRead[0].Is(':', SPECIAL) && m_lastRead[1].Is('[', SPECIAL))) {
            return special(c, 1);
        }
        return literal(c, 1);
    case '\\': break;
    default: return literal(c, 1);
    }

    // Escapes
    const int e = at(pos + 1);
    if (e < 0) return literal('\\', 1);
    if (IsDigit(e)) return special('\\', 1);
    switch (e) {
    case 'A':
    case 'B':
    case 'D':
    case 'S':
    case 'W':
    case 'Z':
    case 'd':
    case 'g':
    case 'k':
    case 's':
    case 'w':
    case 'z': return special(e, 2);
    case 'b': return inSet ? literal(8, 2) : special('b', 2);
    case 'G':
        if (inSet) {
            m_nReadPos = pos + 2;
            return false;
        }
        return special('G', 2);
    case 'a': return literal(7, 2);
    case 'e': return literal(27, 2);
    case 'f': return literal(12, 2);
    case 'n': return literal(10, 2);
    case 'r': return literal(13, 2);
    case 't': return literal(9, 2);
    case 'v': return literal(11, 2);
    case 'E':
        m_bQuoted = false;
        m_quoteCase = 0;
        m_nReadPos = pos + 2;
        return false;
    case 'Q':
    case 'L':
    case 'U':
        m_bQuoted = true;
        m_quoteCase = e == 'L' ? 1 : e == 'U' ? 2 : 0;
        m_nReadPos = pos + 2;
        return false;
    case 'x':
    case 'u': {
        int i = pos + 2;
        unsigned long value = 0;
        int digits = 0;
        if (at(i) == '{') {
            ++i;
            while (digits < 8 && at(i) >= 0 && IsHex(at(i))) {
                value = value * 16 + static_cast<unsigned long>(HexValue(at(i)));
                ++i;
                ++digits;
            }
            while (i < n && p[i] != '}') ++i;
            if (i < n) ++i;
            return literal(static_cast<int>(value & 0xFF), i - pos);
        }
        const int maxDigits = e == 'x' ? 2 : 4;
        while (digits < maxDigits && at(i) >= 0 && IsHex(at(i))) {
            value = value * 16 + static_cast<unsigned long>(HexValue(at(i)));
            ++i;
            ++digits;
        }
        if (digits == 0) return literal(e, 2);
        return literal(static_cast<int>(value & 0xFF), i - pos);
    }
    default: return literal(e, 2);
    }
}

void CPatternT::MoveNext() {
    m_tokens[0] = m_tokens[1];
    m_tokens[1] = m_tokens[2];
    m_tokens[2] = m_tokens[3];
    Token token;
    while (!ReadToken(token)) {
    }
    m_lastRead[1] = m_lastRead[0];
    m_lastRead[0] = token;
    m_tokens[3] = token;
}

void CPatternT::ConsumeClose() {
    if (!AtEnd()) MoveNext();
}

// ---- grammar

ElxInterface* CPatternT::BuildAlternative(int flags) {
    if (AtEnd()) return GetSharedNode(0);
    ElxInterface* first = BuildList(flags);
    if (!IsSpecialCur('|')) return first;
    auto* alternative = Make<CAlternativeElxT>();
    alternative->m_elxlist.Push(first);
    while (IsSpecialCur('|')) {
        MoveNext();
        alternative->m_elxlist.Push(BuildList(flags));
    }
    return alternative;
}

ElxInterface* CPatternT::BuildList(int& flags) {
    auto ends = [&] { return AtEnd() || IsSpecialCur('|') || IsSpecialCur(')'); };
    if (ends()) return GetSharedNode(0);
    CBufferT<ElxInterface*> items;
    while (!ends() && !m_bTooDeep) items.Push(BuildRepeat(flags));
    if (items.GetSize() == 1) return items[0];
    auto* list = Make<CListElxT>((flags & PATTERN_RIGHT_TO_LEFT) ? 1 : 0);
    for (int i = 0; i < items.GetSize(); ++i) list->m_elxlist.Push(items[i]);
    return list;
}

ElxInterface* CPatternT::BuildRepeat(int& flags) {
    ElxInterface* atom = BuildSimple(flags);
    int minimum = 0;
    int maximum = 0;
    if (IsSpecialCur('*')) {
        minimum = 0;
        maximum = INT_MAX;
        MoveNext();
    } else if (IsSpecialCur('+')) {
        minimum = 1;
        maximum = INT_MAX;
        MoveNext();
    } else if (IsSpecialCur('?')) {
        minimum = 0;
        maximum = 1;
        MoveNext();
    } else if (IsSpecialCur('{')) {
        MoveNext();
        CBufferT<char> text;
        CollectValues('}', text);
        ConsumeClose();
        int value = 0;
        int i = ReadNumber(text, 0, value);
        if (i >= 0) {
            minimum = maximum = value;
            if (i < text.GetSize() && text[i] == ',') {
                int second = 0;
                maximum = ReadNumber(text, i + 1, second) >= 0 ? second : INT_MAX;
            }
        }
        if (maximum < minimum) maximum = minimum;
    } else {
        return atom;
    }

    if (maximum == 0) return GetSharedNode(0);
    if (minimum != maximum) {
        if (IsSpecialCur('?')) {
            MoveNext();
            return Make<CReluctantElxT>(atom, minimum, maximum - minimum);
        }
        if (IsSpecialCur('+')) {
            MoveNext();
            return Make<CPossessiveElxT>(atom, minimum, maximum - minimum);
        }
        return Make<CGreedyElxT>(atom, minimum, maximum - minimum);
    }
    if (IsSpecialCur('?') || IsSpecialCur('+')) MoveNext();
    return Make<CRepeatElxT>(atom, minimum);
}

ElxInterface* CPatternT::BuildSimple(int& flags) {
    CBufferT<char> run;
    for (;;) {
        const Token& tok = Cur();
        if (AtEnd()) break;
        if (tok.type == SPECIAL) {
            if (run.GetSize() > 0) break;
            switch (tok.ch) {
            case '(': return BuildGroup(flags);
            case '[':
            case '.':
            case 'w':
            case 'W':
            case 's':
            case 'S':
            case 'd':
            case 'D': return BuildCharset(flags);
            case '^':
            case '$':
            case 'A':
            case 'Z':
            case 'z':
            case 'b':
            case 'B':
            case 'G': return BuildBoundary(flags);
            case '\\':
            case 'k':
            case 'g': return BuildBackref(flags);
            case '|':
            case ')': return GetSharedNode(0);
            default: break;  // taken as a literal character
            }
        }
        const Token& next = Next();
        const bool quantifierNext =
            next.Is('*', SPECIAL) || next.Is('+', SPECIAL) || next.Is('?', SPECIAL) || next.Is('{', SPECIAL);
        if (quantifierNext) {
            if (run.GetSize() == 0) {
                AppendChar(run, tok.ch);
                MoveNext();
            }
            break;
        }
        AppendChar(run, tok.ch);
        MoveNext();
    }
    if (run.GetSize() == 0) return GetSharedNode(0);
    return Make<CStringElxT>(run, (flags & PATTERN_RIGHT_TO_LEFT) ? 1 : 0, (flags & PATTERN_CASE_INSENSITIVE) ? 1 : 0);
}

ElxInterface* CPatternT::BuildCharset(int& flags) {
    const int rtl = (flags & PATTERN_RIGHT_TO_LEFT) ? 8 : 0;
    auto classSlot = [&](int ch) {
        switch (ch) {
        case 'w': return 3 + rtl;
        case 'W': return 4 + rtl;
        case 's': return 5 + rtl;
        case 'S': return 6 + rtl;
        case 'd': return 7 + rtl;
        case 'D': return 8 + rtl;
        default: return -1;
        }
    };
    const Token tok = Cur();
    if (tok.ch == '.') {
        MoveNext();
        return GetSharedNode(((flags & PATTERN_DOT_MATCHES_NEWLINE) ? 1 : 2) + rtl);
    }
    if (tok.ch != '[') {
        MoveNext();
        return GetSharedNode(classSlot(tok.ch));
    }
    if (Next().Is(':', SPECIAL)) return BuildPosix(flags);

    MoveNext();
    auto* set = Make<CRangeElxT>(rtl ? 1 : 0, 1);
    if (IsSpecialCur('^')) {
        set->m_bpositive = 0;
        MoveNext();
    }
    while (!AtEnd() && !IsSpecialCur(']')) {
        const Token& cur = Cur();
        const int slot = cur.type == SPECIAL ? classSlot(cur.ch) : -1;
        if (slot >= 0) {
            set->m_embeds.Push(GetSharedNode(slot));
            MoveNext();
        } else if (cur.Is('[', SPECIAL) && Next().Is(':', SPECIAL)) {
            set->m_embeds.Push(BuildPosix(flags));
        } else if (Next().Is('-', SPECIAL) && After().type == LITERAL && !(After().len == 0)) {
            set->m_ranges.Push(static_cast<signed char>(cur.ch));
            set->m_ranges.Push(static_cast<signed char>(After().ch));
            MoveNext();
            MoveNext();
            MoveNext();
        } else {
            set->m_chars.Push(static_cast<signed char>(cur.ch));
            MoveNext();
        }
    }
    ConsumeClose();

    if (flags & PATTERN_CASE_INSENSITIVE) {
        const int ranges = set->m_ranges.GetSize();
        for (int i = 0; i + 1 < ranges; i += 2) {
            const int lo = set->m_ranges[i];
            const int hi = set->m_ranges[i + 1];
            auto fold = [&](int from, int to, int delta) {
                const int a = lo > from ? lo : from;
                const int b = hi < to ? hi : to;
                if (a > b) return;
                if (a + delta >= lo && b + delta <= hi) return;
                set->m_ranges.Push(a + delta);
                set->m_ranges.Push(b + delta);
            };
            fold('A', 'Z', 'a' - 'A');
            fold('a', 'z', 'A' - 'a');
        }
        const int singles = set->m_chars.GetSize();
        for (int i = 0; i < singles; ++i) {
            const int ch = set->m_chars[i];
            int other = ch;
            if (ch >= 'A' && ch <= 'Z') other = ch + ('a' - 'A');
            if (ch >= 'a' && ch <= 'z') other = ch - ('a' - 'A');
            if (other != ch && !set->HasChar(other)) set->m_chars.Push(other);
        }
    }
    return set;
}

ElxInterface* CPatternT::BuildPosix(int& flags) {
    MoveNext();  // the '['; the ':' is now current
    CBufferT<char> text;
    CollectValues(']', text);
    ConsumeClose();
    int i = 1;
    int positive = 1;
    if (i < text.GetSize() && text[i] == '^') {
        positive = 0;
        ++i;
    }
    CPosixElxT::Predicate predicate = nullptr;
    for (const auto& entry : kPosixNames) {
        const int len = static_cast<int>(std::strlen(entry.name));
        if (text.GetSize() - i >= len && std::memcmp(text.GetBuffer() + i, entry.name, static_cast<size_t>(len)) == 0) {
            predicate = entry.predicate;
            break;
        }
    }
    return Make<CPosixElxT>(predicate, (flags & PATTERN_RIGHT_TO_LEFT) ? 1 : 0, positive);
}

ElxInterface* CPatternT::BuildBoundary(int& flags) {
    const int ch = Cur().ch;
    MoveNext();
    const bool lines = (flags & PATTERN_LINE_ANCHORS) != 0;
    switch (ch) {
    case '^': return Make<CBoundaryElxT>(lines ? CBoundaryElxT::LINE_START : CBoundaryElxT::TEXT_START, 1);
    case '$': return Make<CBoundaryElxT>(lines ? CBoundaryElxT::LINE_END : CBoundaryElxT::TEXT_END, 1);
    case 'A': return Make<CBoundaryElxT>(CBoundaryElxT::TEXT_START, 1);
    case 'z': return Make<CBoundaryElxT>(CBoundaryElxT::TEXT_END, 1);
    case 'Z': return Make<CBoundaryElxT>(CBoundaryElxT::TEXT_END_OR_FINAL_BREAK, 1);
    case 'b': return Make<CBoundaryElxT>(CBoundaryElxT::WORD, 1);
    case 'B': return Make<CBoundaryElxT>(CBoundaryElxT::WORD, 0);
    default:  // 'G'
        if (flags & PATTERN_CONTINUATION_ANCHOR) return Make<CGlobalElxT>();
        return GetSharedNode(0);
    }
}

void CPatternT::CollectValues(int closer, CBufferT<char>& text) {
    while (!AtEnd() && !IsSpecialCur(closer)) {
        AppendChar(text, Cur().ch);
        MoveNext();
    }
}

int CPatternT::ReadQuotedName(CBufferT<char>& name, int unresolved) {
    const int terminator = Cur().ch == '<' ? '>' : '\'';
    MoveNext();
    while (!AtEnd() && Cur().ch != terminator) {
        AppendChar(name, Cur().ch);
        MoveNext();
    }
    ConsumeClose();  // the terminator
    int number = 0;
    if (IsWholeNumber(name, number)) {
        name.Clear();
        return number;
    }
    return unresolved;
}

ElxInterface* CPatternT::BuildBackref(int& flags) {
    MoveNext();
    int number = 0;
    CBufferT<char> name;
    if (Cur().ch != '<' && Cur().ch != '\'') {
        for (int digits = 0; digits < 3 && !AtEnd() && IsDigit(Cur().ch); ++digits) {
            number = number * 10 + (Cur().ch - '0');
            MoveNext();
        }
    } else {
        number = ReadQuotedName(name, -1);
    }
    auto* node =
        Make<CBackrefElxT>(number, (flags & PATTERN_RIGHT_TO_LEFT) ? 1 : 0, (flags & PATTERN_CASE_INSENSITIVE) ? 1 : 0);
    if (name.GetSize() > 0) {
        node->m_szNamed = name;
        m_namedbackreflist.Push(node);
    }
    return node;
}

ElxInterface* CPatternT::BuildCaptureGroup(int& flags, int number, const CBufferT<char>* name, bool named) {
    const int rtl = (flags & PATTERN_RIGHT_TO_LEFT) ? 1 : 0;
    auto* list = Make<CListElxT>(rtl);
    auto* first = Make<CBracketElxT>(number, rtl ? 1 : 0);
    auto* last = Make<CBracketElxT>(number, rtl ? 0 : 1);
    if (name != nullptr) first->m_szNamed = *name;
    ElxInterface* body = BuildAlternative(flags);
    list->m_elxlist.Push(first);
    list->m_elxlist.Push(body);
    list->m_elxlist.Push(last);
    if (named) {
        m_namedlist.Push(list);
        ++m_nNextNamed;
    } else {
        m_grouplist.Prepare(number, nullptr);
        m_grouplist[number] = list;
        if (number > m_nMaxNumber) m_nMaxNumber = number;
    }
    return list;
}

ElxInterface* CPatternT::BuildRecursion(int number, const CBufferT<char>& name) {
    auto* node = Make<CDelegateElxT>(number);
    node->m_szNamed = name;
    m_recursivelist.Push(node);
    return node;
}

ElxInterface* CPatternT::BuildGroup(int& flags) {
    if (m_nGroupDepth >= kMaxGroupDepth) {
        m_bTooDeep = true;
        return GetSharedNode(0);
    }
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } guard(m_nGroupDepth);

    MoveNext();  // the '('
    ElxInterface* result = nullptr;

    if (!IsSpecialCur('?')) {
        result = BuildCaptureGroup(flags, ++m_nGroupCount, nullptr, false);
        ConsumeClose();
        return result;
    }

    const Token& next = Next();
    const Token& after = After();
    auto isWhite = [](const Token& t) { return t.type == LITERAL && IsBlank(t.ch); };
    if ((next.ch == '=' || next.ch == '!') && next.type == LITERAL) {
        const int positive = next.ch == '=';
        MoveNext();
        MoveNext();
        result = Make<CAssertElxT>(BuildAlternative(flags & ~PATTERN_RIGHT_TO_LEFT), positive);
    } else if (next.ch == '<' && (after.ch == '=' || after.ch == '!') && after.type == LITERAL) {
        const int positive = after.ch == '=';
        MoveNext();
        MoveNext();
        MoveNext();
        result = Make<CAssertElxT>(BuildAlternative(flags | PATTERN_RIGHT_TO_LEFT), positive);
    } else if (next.ch == '<' || next.ch == '\'' || (next.ch == 'P' && (after.ch == '<' || after.ch == '\''))) {
        MoveNext();  // '?'
        if (Cur().ch == 'P') MoveNext();
        CBufferT<char> name;
        const int number = ReadQuotedName(name, -1);
        int bodyFlags = flags;
        result = BuildCaptureGroup(bodyFlags, number, &name, true);
    } else if (next.ch == '>' && next.type == LITERAL) {
        MoveNext();
        MoveNext();
        result = Make<CIndependentElxT>(BuildAlternative(flags));
    } else if (next.Is('(', SPECIAL)) {
        MoveNext();  // '?'; the inner '(' is current
        auto* condition = Make<CConditionElxT>();
        if (Next().Is('?', SPECIAL)) {
            condition->m_pelxtest = BuildGroup(flags);
        } else {
            MoveNext();  // the inner '('
            const int from = Cur().pos;
            ElxInterface* test = BuildAlternative(flags & ~PATTERN_RIGHT_TO_LEFT);
            const int to = AtEnd() ? m_pattern.GetSize() : Cur().pos;
            condition->m_szNamed.Append(m_pattern.GetBuffer() + from, to > from ? to - from : 0);
            ConsumeClose();
            condition->m_pelxtest = Make<CAssertElxT>(test, 1);
            int number = 0;
            if (IsWholeNumber(condition->m_szNamed, number)) {
                condition->m_nnumber = number;
                condition->m_pelxtest = nullptr;
            } else {
                m_namedconditionlist.Push(condition);
            }
        }
        int branchFlags = flags;
        condition->m_pelxyes = BuildList(branchFlags);
        if (!AtEnd() && Cur().ch == '|') {
            MoveNext();
            condition->m_pelxno = BuildAlternative(flags);
        }
        result = condition;
    } else if (next.ch == 'R' && next.type == LITERAL) {
        MoveNext();
        MoveNext();
        while (isWhite(Cur())) MoveNext();
        CBufferT<char> name;
        int number = 0;
        if (Cur().ch == '<' || Cur().ch == '\'') {
            number = ReadQuotedName(name, -3);
        } else {
            CBufferT<char> text;
            CollectValues(')', text);
            if (ReadNumber(text, 0, number) < 0) number = 0;
        }
        result = BuildRecursion(number, name);
    } else {
        // '(?' then white space and a digit: recursion into that group
        MoveNext();  // '?'
        while (isWhite(Cur())) MoveNext();
        if (Cur().type == LITERAL && IsDigit(Cur().ch)) {
            CBufferT<char> text;
            CollectValues(')', text);
            int number = 0;
            if (ReadNumber(text, 0, number) < 0) number = 0;
            result = BuildRecursion(number, CBufferT<char>());
        } else {
            // Inline options
            int changed = flags;
            bool clear = false;
            while (!AtEnd() && Cur().ch != ':' && Cur().ch != ')' && !IsSpecialCur('(')) {
                int bit = 0;
                switch (Cur().ch) {
                case '-': clear = true; break;
                case 'g':
                case 'G': bit = PATTERN_CONTINUATION_ANCHOR; break;
                case 'i':
                case 'I': bit = PATTERN_CASE_INSENSITIVE; break;
                case 'm':
                case 'M': bit = PATTERN_LINE_ANCHORS; break;
                case 's':
                case 'S': bit = PATTERN_DOT_MATCHES_NEWLINE; break;
                default: break;
                }
                if (bit) changed = clear ? (changed & ~bit) : (changed | bit);
                MoveNext();
            }
            if (!AtEnd() && Cur().ch == ':') {
                MoveNext();
                result = BuildAlternative(changed);
            } else if (IsSpecialCur('(')) {
                result = BuildAlternative(changed);
            } else {
                flags = changed;
                result = GetSharedNode(0);
            }
        }
    }
    ConsumeClose();
    return result;
}

ElxInterface* CPatternT::GetSharedNode(int slot) {
    if (slot < 0 || slot >= kSharedSlots) slot = 0;
    if (m_pStockElxs[slot] != nullptr) return m_pStockElxs[slot];
    ElxInterface* node = nullptr;
    if (slot == 0) {
        node = Make<CEmptyElxT>();
    } else {
        const int base = slot > 8 ? slot - 8 : slot;
        const int rtl = slot > 8 ? 1 : 0;
        auto* set = Make<CRangeElxT>(rtl, 1);
        switch (base) {
        case 1: set->m_bpositive = 0; break;
        case 2:
            set->m_bpositive = 0;
            set->m_chars.Push('\n');
            break;
        case 3:
        case 4:
            set->m_bpositive = base == 3;
            set->m_ranges.Push('A');
            set->m_ranges.Push('Z');
            set->m_ranges.Push('a');
            set->m_ranges.Push('z');
            set->m_ranges.Push('0');
            set->m_ranges.Push('9');
            set->m_chars.Push('_');
            break;
        case 5:
        case 6:
            set->m_bpositive = base == 5;
            set->m_chars.Push(' ');
            set->m_chars.Push('\t');
            set->m_chars.Push('\r');
            set->m_chars.Push('\n');
            if (rtl) {
                set->m_chars.Push('\f');
                set->m_chars.Push('\v');
            }
            break;
        default:  // 7, 8
            set->m_bpositive = base == 7;
            set->m_ranges.Push('0');
            set->m_ranges.Push('9');
            break;
        }
        node = set;
    }
    m_pStockElxs[slot] = node;
    return node;
}

void CPatternT::Resolve() {
    m_grouplist[0] = m_pTopElx;
    int highest = m_nMaxNumber;
    for (int i = 0; i < m_namedlist.GetSize(); ++i) {
        CListElxT* group = m_namedlist[i];
        if (GroupNumber(group) < 0) {
            int number = -1;
            for (int j = 0; j < m_namedlist.GetSize(); ++j) {
                if (SameName(GroupName(m_namedlist[j]), GroupName(group))) {
                    number = GroupNumber(m_namedlist[j]);
                    break;
                }
            }
            if (number < 0) number = ++highest;
            SetGroupNumber(group, number);
        }
        if (GroupNumber(group) > highest) highest = GroupNumber(group);
        m_grouplist.Push(group);
    }
    m_nMaxNumber = highest;

    for (int i = 0; i < m_recursivelist.GetSize(); ++i) {
        CDelegateElxT* node = m_recursivelist[i];
        node->m_pelx = nullptr;
        if (node->m_szNamed.GetSize() > 0) {
            for (int j = 0; j < m_namedlist.GetSize(); ++j) {
                if (SameName(GroupName(m_namedlist[j]), node->m_szNamed)) {
                    node->m_pelx = m_namedlist[j];
                    break;
                }
            }
        } else if (node->m_ndata == 0) {
            node->m_pelx = m_pTopElx;
        } else if (node->m_ndata > 0 && node->m_ndata <= m_nMaxNumber) {
            for (int j = 1; j < m_grouplist.GetSize(); ++j) {
                if (GroupNumber(m_grouplist[j]) == node->m_ndata) {
                    node->m_pelx = m_grouplist[j];
                    break;
                }
            }
        }
    }
    for (int i = 0; i < m_namedbackreflist.GetSize(); ++i) {
        CBackrefElxT* node = m_namedbackreflist[i];
        node->m_nnumber = -3;
        for (int j = 0; j < m_namedlist.GetSize(); ++j) {
            if (SameName(GroupName(m_namedlist[j]), node->m_szNamed)) {
                node->m_nnumber = GroupNumber(m_namedlist[j]);
                break;
            }
        }
    }
    for (int i = 0; i < m_namedconditionlist.GetSize(); ++i) {
        CConditionElxT* node = m_namedconditionlist[i];
        for (int j = 0; j < m_namedlist.GetSize(); ++j) {
            if (SameName(GroupName(m_namedlist[j]), node->m_szNamed)) {
                node->m_nnumber = GroupNumber(m_namedlist[j]);
                node->m_pelxtest = nullptr;
                break;
            }
        }
    }
}
