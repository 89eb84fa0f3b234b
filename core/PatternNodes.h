#pragma once
// The node classes of a compiled pattern. The compiler fills their fields; matching only
// reads them and keeps every per-match value in the CMatchState.
#include "core/Pattern.h"

class CEmptyElxT : public ElxInterface {
public:
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;
};

class CGlobalElxT : public ElxInterface {
public:
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;
};

class CStringElxT : public ElxInterface {
public:
    CStringElxT(const CBufferT<char>& text, int rightLeft, int caseless);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    CBufferT<char> m_szPattern;
    int m_brightleft;
    int m_byignorecase;
};

class CRangeElxT : public ElxInterface {
public:
    CRangeElxT(int rightLeft, int positive);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;
    // Membership by the ranges and single characters only.
    bool HasChar(int ch) const;

    CBufferT<int> m_ranges;  // low, high pairs
    CBufferT<int> m_chars;
    CBufferT<ElxInterface*> m_embeds;
    int m_brightleft;
    int m_bpositive;
};

class CPosixElxT : public ElxInterface {
public:
    using Predicate = bool (*)(int ch);
    CPosixElxT(Predicate predicate, int rightLeft, int positive);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    Predicate m_pred;
    int m_brightleft;
    int m_bpositive;
};

class CBoundaryElxT : public ElxInterface {
public:
    enum { TEXT_START = 0, TEXT_END = 1, TEXT_END_OR_FINAL_BREAK = 2, LINE_START = 3, LINE_END = 4, WORD = 7 };
    CBoundaryElxT(int kind, int positive);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    int m_type;
    int m_byes;
};

class CListElxT : public ElxInterface {
public:
    explicit CListElxT(int rightLeft);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    CBufferT<ElxInterface*> m_elxlist;
    int m_brightleft;

private:
    int Forward(CMatchState& state, int k) const;
    const ElxInterface* Child(int k) const;
};

class CAlternativeElxT : public ElxInterface {
public:
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    CBufferT<ElxInterface*> m_elxlist;
};

class CRepeatElxT : public ElxInterface {
public:
    CRepeatElxT(ElxInterface* child, int count);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    ElxInterface* m_pelx;
    int m_nfixed;

protected:
    int MatchFixed(CMatchState& state) const;
    int MatchNextFixed(CMatchState& state) const;

private:
    int FixedForward(CMatchState& state, int i) const;
};

class CGreedyElxT : public CRepeatElxT {
public:
    CGreedyElxT(ElxInterface* child, int minimum, int extra);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    int m_nvart;

protected:
    int MatchVart(CMatchState& state) const;
};

class CReluctantElxT : public CRepeatElxT {
public:
    CReluctantElxT(ElxInterface* child, int minimum, int extra);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    int m_nvart;
};

class CPossessiveElxT : public CGreedyElxT {
public:
    using CGreedyElxT::CGreedyElxT;
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;
};

class CBracketElxT : public ElxInterface {
public:
    CBracketElxT(int number, int closing);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    int m_nnumber;
    int m_bright;  // closing flag
    CBufferT<char> m_szNamed;
};

class CBackrefElxT : public ElxInterface {
public:
    CBackrefElxT(int number, int rightLeft, int caseless);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    int m_nnumber;
    int m_brightleft;
    int m_bignorecase;
    CBufferT<char> m_szNamed;
};

class CAssertElxT : public ElxInterface {
public:
    CAssertElxT(ElxInterface* child, int positive);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    ElxInterface* m_pelx;
    int m_byes;
};

class CIndependentElxT : public ElxInterface {
public:
    explicit CIndependentElxT(ElxInterface* child);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    ElxInterface* m_pelx;
};

class CConditionElxT : public ElxInterface {
public:
    CConditionElxT();
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    int m_nnumber;
    CBufferT<char> m_szNamed;
    ElxInterface* m_pelxtest;
    ElxInterface* m_pelxyes;
    ElxInterface* m_pelxno;
};

class CDelegateElxT : public ElxInterface {
public:
    CDelegateElxT(int number);
    int Match(CMatchState& state) const override;
    int MatchNext(CMatchState& state) const override;

    ElxInterface* m_pelx;
    int m_ndata;
    CBufferT<char> m_szNamed;
};

// Calls into a child node, counting steps and depth: once a limit is passed the match is
// aborted and every further call fails, so a failed match unwinds at once.
int ChildMatch(const ElxInterface* node, CMatchState& state);
int ChildMatchNext(const ElxInterface* node, CMatchState& state);
