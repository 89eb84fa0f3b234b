#include "core/PatternNodes.h"

#include <algorithm>

namespace {

// Characters compare as signed bytes; case folding is ASCII only.
int CharAt(const CMatchState& s, int pos) { return static_cast<signed char>(s.m_pText[pos]); }

int ToUpperAscii(int ch) { return (ch >= 'a' && ch <= 'z') ? ch - 'a' + 'A' : ch; }

bool SameChar(int a, int b, bool caseless) { return a == b || (caseless && ToUpperAscii(a) == ToUpperAscii(b)); }

bool IsWordChar(int ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '_';
}

int PopInt(CBufferT<int>& stack) {
    int value = 0;
    stack.Pop(value);
    return value;
}

// The capture record of a group: from the record its index entry names (or the topmost
// one when that lies past the top) down to the nearest record of the group; -1 if none.
int FindRecord(const CMatchState& s, int group) {
    if (group < 0) return -1;
    int k = s.m_captureIndex.At(group, -1);
    if (k < 0) return -1;
    int top = s.m_capture.GetSize() - 4;
    if (k > top) k = top;
    for (; k >= 0; k -= 4) {
        if (s.m_capture[k] == group) return k;
    }
    return -1;
}

// Moves the position by one character for a node that consumes one; -1 when there is none.
int OneCharAt(const CMatchState& s, int rightLeft) {
    if (rightLeft) return s.m_nCurrentPosition > 0 ? CharAt(s, s.m_nCurrentPosition - 1) : 256;
    return s.m_nCurrentPosition < s.m_nLength ? CharAt(s, s.m_nCurrentPosition) : 256;
}

void StepOne(CMatchState& s, int rightLeft, int direction) { s.m_nCurrentPosition += (rightLeft ? -1 : 1) * direction; }

// Matches once and cuts the backtrack stack back, so the match can never give anything
// back; remembers where it started and the capture-stack size for DropKeptMatch.
template <class MatchOnce>
int KeepFirstMatch(CMatchState& s, MatchOnce match) {
    const int pos = s.m_nCurrentPosition;
    const int stackSize = s.m_stack.GetSize();
    const int captureSize = s.m_capture.GetSize();
    const int result = match();
    s.m_stack.Restore(stackSize);
    if (result) {
        s.m_stack.Push(pos);
        s.m_stack.Push(captureSize);
    }
    return result;
}

int DropKeptMatch(CMatchState& s) {
    const int captureSize = PopInt(s.m_stack);
    const int pos = PopInt(s.m_stack);
    s.m_capture.Restore(captureSize);
    s.m_nCurrentPosition = pos;
    return 0;
}

}  // namespace

namespace {

// Counts one step one call deeper; past a limit the match is aborted and fails.
template <class Call>
int GuardedCall(CMatchState& state, Call call) {
    if (state.m_bAborted) return 0;
    if (++state.m_nSteps > CMatchState::kMaxSteps || state.m_nDepth >= CMatchState::kMaxDepth) {
        state.m_bAborted = true;
        return 0;
    }
    ++state.m_nDepth;
    const int result = call();
    --state.m_nDepth;
    return state.m_bAborted ? 0 : result;
}

}  // namespace

int ChildMatch(const ElxInterface* node, CMatchState& state) {
    return GuardedCall(state, [&] { return node->Match(state); });
}

int ChildMatchNext(const ElxInterface* node, CMatchState& state) {
    return GuardedCall(state, [&] { return node->MatchNext(state); });
}

// ---- zero-width and consuming nodes

int CEmptyElxT::Match(CMatchState&) const { return 1; }
int CEmptyElxT::MatchNext(CMatchState&) const { return 0; }

int CGlobalElxT::Match(CMatchState& s) const { return s.m_nCurrentPosition == s.m_nBeginPosition; }
int CGlobalElxT::MatchNext(CMatchState&) const { return 0; }

CStringElxT::CStringElxT(const CBufferT<char>& text, int rightLeft, int caseless)
    : m_szPattern(text), m_brightleft(rightLeft), m_byignorecase(caseless) {}

int CStringElxT::Match(CMatchState& s) const {
    const int len = m_szPattern.GetSize();
    const int from = m_brightleft ? s.m_nCurrentPosition - len : s.m_nCurrentPosition;
    if (from < 0 || from + len > s.m_nLength) return 0;
    for (int i = 0; i < len; ++i) {
        if (!SameChar(CharAt(s, from + i), static_cast<signed char>(m_szPattern[i]), m_byignorecase)) return 0;
    }
    s.m_nCurrentPosition = m_brightleft ? from : from + len;
    return 1;
}

int CStringElxT::MatchNext(CMatchState& s) const {
    s.m_nCurrentPosition += m_brightleft ? m_szPattern.GetSize() : -m_szPattern.GetSize();
    return 0;
}

CRangeElxT::CRangeElxT(int rightLeft, int positive) : m_brightleft(rightLeft), m_bpositive(positive) {}

bool CRangeElxT::HasChar(int ch) const {
    for (int i = 0; i + 1 < m_ranges.GetSize(); i += 2) {
        if (ch >= m_ranges[i] && ch <= m_ranges[i + 1]) return true;
    }
    for (int i = 0; i < m_chars.GetSize(); ++i) {
        if (m_chars[i] == ch) return true;
    }
    return false;
}

int CRangeElxT::Match(CMatchState& s) const {
    int ch = OneCharAt(s, m_brightleft);
    if (ch == 256) return 0;
    bool member = HasChar(ch);
    for (int i = 0; !member && i < m_embeds.GetSize(); ++i) {
        const int pos = s.m_nCurrentPosition;
        member = m_embeds[i]->Match(s) != 0;
        s.m_nCurrentPosition = pos;
    }
    if (member != (m_bpositive != 0)) return 0;
    StepOne(s, m_brightleft, 1);
    return 1;
}

int CRangeElxT::MatchNext(CMatchState& s) const {
    StepOne(s, m_brightleft, -1);
    return 0;
}

CPosixElxT::CPosixElxT(Predicate predicate, int rightLeft, int positive)
    : m_pred(predicate), m_brightleft(rightLeft), m_bpositive(positive) {}

int CPosixElxT::Match(CMatchState& s) const {
    int ch = OneCharAt(s, m_brightleft);
    if (ch == 256 || m_pred == nullptr) return 0;
    if (m_pred(ch) != (m_bpositive != 0)) return 0;
    StepOne(s, m_brightleft, 1);
    return 1;
}

int CPosixElxT::MatchNext(CMatchState& s) const {
    StepOne(s, m_brightleft, -1);
    return 0;
}

CBoundaryElxT::CBoundaryElxT(int kind, int positive) : m_type(kind), m_byes(positive) {}

int CBoundaryElxT::Match(CMatchState& s) const {
    const int pos = s.m_nCurrentPosition;
    const int len = s.m_nLength;
    const int prev = (pos > 0 && pos <= len) ? CharAt(s, pos - 1) : 0;
    const int next = (pos >= 0 && pos < len) ? CharAt(s, pos) : 0;
    bool holds = false;
    switch (m_type) {
    case TEXT_START: holds = pos == 0; break;
    case TEXT_END: holds = pos >= len; break;
    case TEXT_END_OR_FINAL_BREAK:
        holds = pos >= len || (len >= 1 && CharAt(s, len - 1) == '\n' && pos == len - 1) ||
                (len >= 2 && CharAt(s, len - 2) == '\r' && CharAt(s, len - 1) == '\n' && pos == len - 2);
        break;
    case LINE_START: holds = pos == 0 || prev == '\n' || (prev == '\r' && next != '\n'); break;
    case LINE_END: holds = pos >= len || next == '\r' || (next == '\n' && prev != '\r'); break;
    case WORD: holds = IsWordChar(prev) != IsWordChar(next); break;
    default: holds = false;
    }
    return holds == (m_byes != 0);
}

int CBoundaryElxT::MatchNext(CMatchState&) const { return 0; }

// ---- sequence and alternation

CListElxT::CListElxT(int rightLeft) : m_brightleft(rightLeft) {}

const ElxInterface* CListElxT::Child(int k) const {
    return m_brightleft ? m_elxlist[m_elxlist.GetSize() - 1 - k] : m_elxlist[k];
}

// Matches children from k on; a failing child sends the walk back to the nearest earlier
// child that can match another way.
int CListElxT::Forward(CMatchState& s, int k) const {
    const int n = m_elxlist.GetSize();
    while (k < n) {
        if (ChildMatch(Child(k), s)) {
            ++k;
            continue;
        }
        for (;;) {
            if (--k < 0) return 0;
            if (ChildMatchNext(Child(k), s)) break;
        }
        ++k;
    }
    return 1;
}

int CListElxT::Match(CMatchState& s) const { return Forward(s, 0); }

int CListElxT::MatchNext(CMatchState& s) const {
    int k = m_elxlist.GetSize() - 1;
    while (k >= 0 && !ChildMatchNext(Child(k), s)) --k;
    if (k < 0) return 0;
    return Forward(s, k + 1);
}

int CAlternativeElxT::Match(CMatchState& s) const {
    if (m_elxlist.GetSize() == 0) return 1;
    for (int i = 0; i < m_elxlist.GetSize(); ++i) {
        if (ChildMatch(m_elxlist[i], s)) {
            s.m_stack.Push(i);
            return 1;
        }
    }
    return 0;
}

int CAlternativeElxT::MatchNext(CMatchState& s) const {
    if (m_elxlist.GetSize() == 0) return 0;
    int k = PopInt(s.m_stack);
    if (k < 0 || k >= m_elxlist.GetSize()) return 0;
    if (ChildMatchNext(m_elxlist[k], s)) {
        s.m_stack.Push(k);
        return 1;
    }
    for (int i = k + 1; i < m_elxlist.GetSize(); ++i) {
        if (ChildMatch(m_elxlist[i], s)) {
            s.m_stack.Push(i);
            return 1;
        }
    }
    return 0;
}

// ---- repeats

CRepeatElxT::CRepeatElxT(ElxInterface* child, int count) : m_pelx(child), m_nfixed(count) {}

int CRepeatElxT::FixedForward(CMatchState& s, int i) const {
    while (i < m_nfixed) {
        if (ChildMatch(m_pelx, s)) {
            ++i;
            continue;
        }
        for (;;) {
            if (--i < 0) return 0;
            if (ChildMatchNext(m_pelx, s)) break;
        }
        ++i;
    }
    return 1;
}

int CRepeatElxT::MatchFixed(CMatchState& s) const { return FixedForward(s, 0); }

int CRepeatElxT::MatchNextFixed(CMatchState& s) const {
    int i = m_nfixed - 1;
    while (i >= 0 && !ChildMatchNext(m_pelx, s)) --i;
    if (i < 0) return 0;
    return FixedForward(s, i + 1);
}

int CRepeatElxT::Match(CMatchState& s) const { return MatchFixed(s); }
int CRepeatElxT::MatchNext(CMatchState& s) const { return MatchNextFixed(s); }

CGreedyElxT::CGreedyElxT(ElxInterface* child, int minimum, int extra) : CRepeatElxT(child, minimum), m_nvart(extra) {}

// Takes as many further instances as it can; an instance that consumes nothing is asked
// for another match until it consumes something, else it is not taken.
int CGreedyElxT::MatchVart(CMatchState& s) const {
    int n = 0;
    while (n < m_nvart) {
        const int start = s.m_nCurrentPosition;
        if (!ChildMatch(m_pelx, s)) break;
        bool taken = true;
        while (s.m_nCurrentPosition == start) {
            if (!ChildMatchNext(m_pelx, s)) {
                taken = false;
                break;
            }
        }
        if (!taken) break;
        ++n;
    }
    return n;
}

int CGreedyElxT::Match(CMatchState& s) const {
    if (!MatchFixed(s)) return 0;
    s.m_stack.Push(MatchVart(s));
    return 1;
}

int CGreedyElxT::MatchNext(CMatchState& s) const {
    int n = PopInt(s.m_stack);
    if (n > 0) {
        if (!ChildMatchNext(m_pelx, s)) --n;
        s.m_stack.Push(n);
        return 1;
    }
    if (!MatchNextFixed(s)) return 0;
    s.m_stack.Push(MatchVart(s));
    return 1;
}

CReluctantElxT::CReluctantElxT(ElxInterface* child, int minimum, int extra)
    : CRepeatElxT(child, minimum), m_nvart(extra) {}

int CReluctantElxT::Match(CMatchState& s) const {
    if (!MatchFixed(s)) return 0;
    s.m_stack.Push(0);
    return 1;
}

int CReluctantElxT::MatchNext(CMatchState& s) const {
    const int start = s.m_nCurrentPosition;
    int n = PopInt(s.m_stack);
    if (n < m_nvart && ChildMatch(m_pelx, s)) {
        bool consumed = s.m_nCurrentPosition != start;
        while (!consumed && ChildMatchNext(m_pelx, s)) consumed = s.m_nCurrentPosition != start;
        if (consumed) {
            s.m_stack.Push(start);
            s.m_stack.Push(n + 1);
            return 1;
        }
    }
    while (n > 0) {
        const int from = PopInt(s.m_stack);
        bool again = false;
        while (ChildMatchNext(m_pelx, s)) {
            if (s.m_nCurrentPosition != from) {
                again = true;
                break;
            }
        }
        if (again) {
            s.m_stack.Push(from);
            s.m_stack.Push(n);
            return 1;
        }
        --n;
        if (s.m_bAborted) return 0;
    }
    if (!MatchNextFixed(s)) return 0;
    s.m_stack.Push(0);
    return 1;
}

int CPossessiveElxT::Match(CMatchState& s) const {
    return KeepFirstMatch(s, [&] { return CGreedyElxT::Match(s); });
}

int CPossessiveElxT::MatchNext(CMatchState& s) const { return DropKeptMatch(s); }

// ---- groups and back-references

CBracketElxT::CBracketElxT(int number, int closing) : m_nnumber(number), m_bright(closing) {}

int CBracketElxT::Match(CMatchState& s) const {
    if (m_nnumber < 0) return 0;
    const int group = m_nnumber;
    if (!m_bright) {
        s.m_captureIndex.Prepare(group, -1);
        const int r = FindRecord(s, group);
        if (r >= 0 && s.m_capture[r + 2] == -1) {
            --s.m_capture[r + 3];  // entered again before it closed
        } else {
            s.m_capture.Push(group);
            s.m_capture.Push(s.m_nCurrentPosition);
            s.m_capture.Push(-1);
            s.m_capture.Push(0);
            s.m_captureIndex[group] = s.m_capture.GetSize() - 4;
        }
        return 1;
    }
    const int r = FindRecord(s, group);
    if (r < 0) return 1;
    if (s.m_capture[r + 3] < 0) {
        ++s.m_capture[r + 3];
    } else {
        s.m_capture[r + 2] = s.m_nCurrentPosition;
        s.m_capture[r + 3] = s.m_nCloseCounter++;
    }
    return 1;
}

int CBracketElxT::MatchNext(CMatchState& s) const {
    const int group = m_nnumber;
    const int r = FindRecord(s, group);
    if (r < 0) return 0;
    if (!m_bright) {
        if (s.m_capture[r + 3] < 0) {
            ++s.m_capture[r + 3];
            return 0;
        }
        s.m_capture.Restore(r);
        int older = r - 4;
        while (older >= 0 && s.m_capture[older] != group) older -= 4;
        s.m_captureIndex[group] = older;
        return 0;
    }
    if (s.m_capture[r + 2] != -1) {
        s.m_capture[r + 2] = -1;
        s.m_capture[r + 3] = 0;
    } else {
        --s.m_capture[r + 3];
    }
    return 0;
}

CBackrefElxT::CBackrefElxT(int number, int rightLeft, int caseless)
    : m_nnumber(number), m_brightleft(rightLeft), m_bignorecase(caseless) {}

int CBackrefElxT::Match(CMatchState& s) const {
    if (m_nnumber < 0 || m_nnumber >= s.m_captureIndex.GetSize() || s.m_captureIndex[m_nnumber] < 0) return 0;
    const int r = FindRecord(s, m_nnumber);
    if (r < 0) return 0;
    const int start = s.m_capture[r + 1];
    const int end = s.m_capture[r + 2] == -1 ? s.m_nCurrentPosition : s.m_capture[r + 2];
    const int lo = std::min(start, end);
    const int len = std::max(start, end) - lo;
    const int from = m_brightleft ? s.m_nCurrentPosition - len : s.m_nCurrentPosition;
    if (from < 0 || from + len > s.m_nLength || lo < 0) return 0;
    for (int i = 0; i < len; ++i) {
        if (!SameChar(CharAt(s, from + i), CharAt(s, lo + i), m_bignorecase)) return 0;
    }
    s.m_stack.Push(s.m_nCurrentPosition);
    s.m_nCurrentPosition = m_brightleft ? from : from + len;
    return 1;
}

int CBackrefElxT::MatchNext(CMatchState& s) const {
    s.m_nCurrentPosition = PopInt(s.m_stack);
    return 0;
}

// ---- assertions and special groups

CAssertElxT::CAssertElxT(ElxInterface* child, int positive) : m_pelx(child), m_byes(positive) {}

int CAssertElxT::Match(CMatchState& s) const {
    const int pos = s.m_nCurrentPosition;
    const int stackSize = s.m_stack.GetSize();
    const int captureSize = s.m_capture.GetSize();
    int result = ChildMatch(m_pelx, s);
    if (!m_byes) result = !result;
    s.m_stack.Restore(stackSize);
    s.m_nCurrentPosition = pos;
    if (result) {
        s.m_stack.Push(captureSize);
    } else {
        s.m_capture.Restore(captureSize);
    }
    return result && !s.m_bAborted;
}

int CAssertElxT::MatchNext(CMatchState& s) const {
    s.m_capture.Restore(PopInt(s.m_stack));
    return 0;
}

CIndependentElxT::CIndependentElxT(ElxInterface* child) : m_pelx(child) {}

int CIndependentElxT::Match(CMatchState& s) const {
    return KeepFirstMatch(s, [&] { return ChildMatch(m_pelx, s); });
}

int CIndependentElxT::MatchNext(CMatchState& s) const { return DropKeptMatch(s); }

CConditionElxT::CConditionElxT() : m_nnumber(-1), m_pelxtest(nullptr), m_pelxyes(nullptr), m_pelxno(nullptr) {}

int CConditionElxT::Match(CMatchState& s) const {
    const int pos = s.m_nCurrentPosition;
    const int stackSize = s.m_stack.GetSize();
    const int captureSize = s.m_capture.GetSize();
    int condition = 1;
    if (m_nnumber >= 0) {
        condition = s.m_captureIndex.At(m_nnumber, -1) >= 0;
    } else if (m_pelxtest != nullptr) {
        condition = ChildMatch(m_pelxtest, s);
        s.m_stack.Restore(stackSize);
        s.m_nCurrentPosition = pos;
    }
    const ElxInterface* branch = condition ? m_pelxyes : m_pelxno;
    if (branch == nullptr || ChildMatch(branch, s)) {
        s.m_stack.Push(captureSize);
        s.m_stack.Push(condition);
        return 1;
    }
    s.m_capture.Restore(captureSize);
    return 0;
}

int CConditionElxT::MatchNext(CMatchState& s) const {
    const int condition = PopInt(s.m_stack);
    const int captureSize = PopInt(s.m_stack);
    const ElxInterface* branch = condition ? m_pelxyes : m_pelxno;
    if (branch != nullptr && ChildMatchNext(branch, s)) {
        s.m_stack.Push(captureSize);
        s.m_stack.Push(condition);
        return 1;
    }
    s.m_capture.Restore(captureSize);
    return 0;
}

CDelegateElxT::CDelegateElxT(int number) : m_pelx(nullptr), m_ndata(number) {}

int CDelegateElxT::Match(CMatchState& s) const { return m_pelx == nullptr ? 1 : ChildMatch(m_pelx, s); }

int CDelegateElxT::MatchNext(CMatchState& s) const { return m_pelx == nullptr ? 0 : ChildMatchNext(m_pelx, s); }
