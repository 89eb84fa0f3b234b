#pragma once
// A small backtracking regular-expression engine for single-byte text. A pattern is
// compiled once into a tree of nodes; a match always covers the whole text.
#include "core/PatternBuffer.h"

constexpr int PATTERN_DOT_MATCHES_NEWLINE = 0x01;
constexpr int PATTERN_LINE_ANCHORS = 0x02;
constexpr int PATTERN_CONTINUATION_ANCHOR = 0x04;
constexpr int PATTERN_CASE_INSENSITIVE = 0x08;
constexpr int PATTERN_RIGHT_TO_LEFT = 0x10;
constexpr int PATTERN_FREE_SPACING = 0x20;

// Everything one match needs; the compiled pattern is never written while matching.
class CMatchState {
public:
    // Limits that keep any pattern and text from exhausting the call stack or running
    // without end: past either one the match is given up as failed.
    static constexpr int kMaxDepth = 1000;
    static constexpr long kMaxSteps = 2000000;

    void Reset(const char* text, int length, bool rightToLeft);

    CBufferT<int> m_stack;         // backtrack stack
    CBufferT<int> m_capture;       // capture records: group, start, end, state
    CBufferT<int> m_captureIndex;  // per group: index of its current record, < 0 none
    int m_nCurrentPosition = 0;
    int m_nBeginPosition = 0;
    int m_nLastEndPosition = -1;
    int m_nCloseCounter = 0;
    const char* m_pText = nullptr;
    int m_nLength = 0;

    int m_nDepth = 0;
    long m_nSteps = 0;
    bool m_bAborted = false;
};

// The result of a match: empty for no match; else 1, the highest group number H, and one
// (start, end) pair per group 0..H (-1, -1 for a group without a record).
class CMatchRecord : public CBufferT<int> {
public:
    int IsMatched() const { return At(0, 0); }
};

class ElxInterface {
public:
    virtual int Match(CMatchState& state) const = 0;
    virtual int MatchNext(CMatchState& state) const = 0;
    virtual ~ElxInterface() = default;
};

class CListElxT;
class CDelegateElxT;
class CBackrefElxT;
class CConditionElxT;

class CPatternT {
public:
    explicit CPatternT(const char* pattern = nullptr, int flags = 0);
    ~CPatternT();
    CPatternT(const CPatternT&) = delete;
    CPatternT& operator=(const CPatternT&) = delete;

    void Compile(const char* pattern, int length, int flags = 0);
    void Clear();

    CMatchRecord Match(const char* text) const;
    CMatchRecord Match(const char* text, int length, CMatchState* state = nullptr) const;

    static constexpr int kSharedSlots = 17;

private:
    struct Token {
        int ch = 0;    // the character value, 0..255
        int type = 1;  // 0 literal, 1 special
        int pos = 0;
        int len = 0;
        bool Is(int value, int kind) const { return ch == value && type == kind; }
    };
    static constexpr int LITERAL = 0;
    static constexpr int SPECIAL = 1;
    // Deeper group nesting than this compiles to a pattern without a root.
    static constexpr int kMaxGroupDepth = 200;

    // Tokenizer and token window
    bool ReadToken(Token& out);
    void MoveNext();
    bool IsSpecialCur(int ch) const { return m_tokens[1].Is(ch, SPECIAL); }
    const Token& Prev() const { return m_tokens[0]; }
    const Token& Cur() const { return m_tokens[1]; }
    const Token& Next() const { return m_tokens[2]; }
    const Token& After() const { return m_tokens[3]; }
    bool AtEnd() const { return m_tokens[1].Is(0, SPECIAL) && m_tokens[1].len == 0; }
    void ConsumeClose();

    // Grammar
    ElxInterface* BuildAlternative(int flags);
    ElxInterface* BuildList(int& flags);
    ElxInterface* BuildRepeat(int& flags);
    ElxInterface* BuildSimple(int& flags);
    ElxInterface* BuildCharset(int& flags);
    ElxInterface* BuildPosix(int& flags);
    ElxInterface* BuildBoundary(int& flags);
    ElxInterface* BuildBackref(int& flags);
    ElxInterface* BuildGroup(int& flags);
    ElxInterface* BuildCaptureGroup(int& flags, int number, const CBufferT<char>* name, bool named);
    ElxInterface* BuildRecursion(int number, const CBufferT<char>& name);
    ElxInterface* GetSharedNode(int slot);
    // Appends the values of the tokens up to a special closer (not consumed) or the end.
    void CollectValues(int closer, CBufferT<char>& text);
    // Reads a name between '<' and '>' or between quotes (the opener is current). A name
    // that reads wholly as a number gives that number and is cleared; any other gives unresolved.
    int ReadQuotedName(CBufferT<char>& name, int unresolved);
    void Resolve();

    template <class T, class... Args>
    T* Make(Args&&... args);

    ElxInterface* m_pTopElx = nullptr;
    int m_nFlags = 0;
    int m_nMaxNumber = 0;
    int m_nNextNamed = 0;
    int m_nGroupCount = 0;
    CBufferT<ElxInterface*> m_objlist;
    CBufferT<ElxInterface*> m_grouplist;
    CBufferT<CDelegateElxT*> m_recursivelist;
    CBufferT<CListElxT*> m_namedlist;
    CBufferT<CBackrefElxT*> m_namedbackreflist;
    CBufferT<CConditionElxT*> m_namedconditionlist;
    CBufferRefT<char> m_pattern;
    Token m_tokens[4];
    int m_nReadPos = 0;
    int m_nCharsetDepth = 0;
    bool m_bQuoted = false;
    int m_quoteCase = 0;  // 0 none, 1 to lower, 2 to upper
    ElxInterface* m_pStockElxs[kSharedSlots] = {};

    Token m_lastRead[2];  // the two tokens read last, newest first
    int m_nGroupDepth = 0;
    bool m_bTooDeep = false;
};
