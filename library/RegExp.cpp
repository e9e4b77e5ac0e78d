#include "library/RegExp.h"

#include <cstring>

namespace {

// A node is an opcode byte, a 16-bit link to the next node (big-endian, relative; a BACK node links
// backwards; 0 means none) and, for some opcodes, an operand right after.
enum Opcode : BYTE {
    END = 0, // success
    BOL = 1, // start of the text
    EOL = 2, // end of the text
    ANY = 3, // any one character
    ANYOF = 4, // one character of the zero-terminated list
    ANYBUT = 5, // one character not in the list
    BRANCH = 6, // operand: one alternative; the next node is the next alternative
    BACK = 7, // nothing; its link points backwards
    EXACTLY = 8, // operand: zero-terminated literal
    NOTHING = 9, // the empty string
    STAR = 10, // operand: one single-character node, 0 or more times
    PLUS = 11, // the same, 1 or more times
    OPEN = 20, // OPEN + n (1..9): group n starts here
    CLOSE = 30, // CLOSE + n: group n ends here
};

constexpr int kNodeSize = 3;
constexpr int kNoNode = -1;
// Links are 16-bit offsets: a bigger program could not be linked.
constexpr int kMaxProgram = 32767;
constexpr int kMaxGroups = RegExp::kSubMatches - 1;
// Characters with a meaning outside a set.
constexpr char kMeta[] = "^$.[()|?+*\\";
// Deep enough for any text the program checks; far below what the stack holds.
constexpr int kMaxDepth = 5000;
// Backtracking can take exponential time ("(a*)*b" against a long run of a's): a search that has
// tried this many nodes is given up like one too deep for the stack.
constexpr long long kMaxSteps = 10'000'000;

// What a piece of the pattern can match, as the compiler tracks it.
constexpr int kWorst = 0;
constexpr int kHasWidth = 1; // never matches the empty string
constexpr int kSimple = 2; // one character: STAR and PLUS can take it as operand
constexpr int kStartsWithRepeat = 4; // begins with * or ?: worth searching for a required literal

bool IsRepeat(char c) { return c == '*' || c == '+' || c == '?'; }

int LinkOf(const BYTE* code, int node) { return (code[node + 1] << 8) | code[node + 2]; }

int NextNode(const BYTE* code, int node)
{
    const int offset = LinkOf(code, node);
    if (offset == 0)
        return kNoNode;
    return code[node] == BACK ? node - offset : node + offset;
}

const char* OperandOf(const BYTE* code, int node) { return reinterpret_cast<const char*>(code + node + kNodeSize); }

// One pass over the pattern. Without a buffer it only checks the pattern and counts the program's size;
// with a buffer of that size it writes the program.
class Compiler {
public:
    Compiler(const char* pattern, std::vector<BYTE>* code)
        : m_parse(pattern)
        , m_code(code)
    {
    }

    bool Run()
    {
        const int first = Reg(false, &m_flags);
        return first != kNoNode && !m_tooBig;
    }
    int Size() const { return m_pos; }
    int Flags() const { return m_flags; }

private:
    // A whole pattern, or a group after its "(": alternatives separated by "|".
    int Reg(bool paren, int* flags)
    {
        *flags = kHasWidth;
        int ret = kNoNode;
        int group = 0;
        if (paren) {
            if (m_groups > kMaxGroups)
                return kNoNode;
            group = m_groups++;
            ret = Node(static_cast<BYTE>(OPEN + group));
        }
        int branchFlags = 0;
        int branch = Branch(&branchFlags);
        if (branch == kNoNode)
            return kNoNode;
        if (ret != kNoNode)
            Tail(ret, branch);
        else
            ret = branch;
        MergeAlternative(flags, branchFlags);
        while (*m_parse == '|') {
            ++m_parse;
            branch = Branch(&branchFlags);
            if (branch == kNoNode)
                return kNoNode;
            Tail(ret, branch);
            MergeAlternative(flags, branchFlags);
        }
        const int ender = Node(static_cast<BYTE>(paren ? CLOSE + group : END));
        Tail(ret, ender);
        // Every alternative continues after the group.
        if (m_code != nullptr) {
            for (int node = ret; node != kNoNode; node = NextNode(m_code->data(), node))
                OpTail(node, ender);
        }
        if (paren) {
            if (*m_parse != ')')
                return kNoNode;
            ++m_parse;
        } else if (*m_parse != '\0') {
            return kNoNode; // an unmatched ")"
        }
        return ret;
    }

    static void MergeAlternative(int* flags, int alternative)
    {
        if ((alternative & kHasWidth) == 0)
            *flags &= ~kHasWidth;
        *flags |= alternative & kStartsWithRepeat;
    }

    // One alternative: a BRANCH node whose operand is the chain of its pieces.
    int Branch(int* flags)
    {
        *flags = kWorst;
        const int ret = Node(BRANCH);
        int chain = kNoNode;
        while (*m_parse != '\0' && *m_parse != '|' && *m_parse != ')') {
            int pieceFlags = 0;
            const int latest = Piece(&pieceFlags);
            if (latest == kNoNode)
                return kNoNode;
            *flags |= pieceFlags & kHasWidth;
            if (chain == kNoNode)
                *flags |= pieceFlags & kStartsWithRepeat;
            else
                Tail(chain, latest);
            chain = latest;
        }
        if (chain == kNoNode)
            Node(NOTHING);
        return ret;
    }

    // An atom with its postfix operator, if any.
    int Piece(int* flags)
    {
        int atomFlags = 0;
        const int ret = Atom(&atomFlags);
        if (ret == kNoNode)
            return kNoNode;
        const char op = *m_parse;
        if (!IsRepeat(op)) {
            *flags = atomFlags;
            return ret;
        }
        // Repeating what can match nothing would loop for ever.
        if ((atomFlags & kHasWidth) == 0 && op != '?')
            return kNoNode;
        *flags = op != '+' ? (kWorst | kStartsWithRepeat) : (kWorst | kHasWidth);
        const bool simple = (atomFlags & kSimple) != 0;
        if (op == '*' && simple) {
            Insert(STAR, ret);
        } else if (op == '*') {
            // x* becomes BRANCH(x, BACK to the branch), BRANCH(NOTHING).
            Insert(BRANCH, ret);
            OpTail(ret, Node(BACK));
            OpTail(ret, ret);
            Tail(ret, Node(BRANCH));
            Tail(ret, Node(NOTHING));
        } else if (op == '+' && simple) {
            Insert(PLUS, ret);
        } else if (op == '+') {
            // x+ becomes x, BRANCH(BACK to x), BRANCH(NOTHING).
            const int next = Node(BRANCH);
            Tail(ret, next);
            Tail(Node(BACK), ret);
            Tail(next, Node(BRANCH));
            Tail(ret, Node(NOTHING));
        } else {
            // x? becomes BRANCH(x), BRANCH(NOTHING).
            Insert(BRANCH, ret);
            Tail(ret, Node(BRANCH));
            const int next = Node(NOTHING);
            Tail(ret, next);
            OpTail(ret, next);
        }
        ++m_parse;
        if (IsRepeat(*m_parse))
            return kNoNode;
        return ret;
    }

    int Atom(int* flags)
    {
        *flags = kWorst;
        int ret = kNoNode;
        const char c = *m_parse;
        if (c == '\0' || c == '|' || c == ')' || IsRepeat(c))
            return kNoNode; // an operator where an atom is needed
        ++m_parse;
        switch (c) {
        case '^':
            ret = Node(BOL);
            break;
        case '$':
            ret = Node(EOL);
            break;
        case '.':
            ret = Node(ANY);
            *flags |= kHasWidth | kSimple;
            break;
        case '[':
            ret = Set();
            if (ret == kNoNode)
                return kNoNode;
            *flags |= kHasWidth | kSimple;
            break;
        case '(': {
            int groupFlags = 0;
            ret = Reg(true, &groupFlags);
            if (ret == kNoNode)
                return kNoNode;
            *flags |= groupFlags & (kHasWidth | kStartsWithRepeat);
            break;
        }
        case '\\':
            if (*m_parse == '\0')
                return kNoNode;
            ret = Node(EXACTLY);
            Emit(static_cast<BYTE>(*m_parse++));
            Emit(0);
            *flags |= kHasWidth | kSimple;
            break;
        default: {
            // A run of ordinary characters is one literal; a postfix operator after it takes only its
            // last character, so that character becomes a literal of its own.
            --m_parse;
            size_t length = std::strcspn(m_parse, kMeta);
            if (length > 1 && IsRepeat(m_parse[length]))
                --length;
            *flags |= kHasWidth;
            if (length == 1)
                *flags |= kSimple;
            ret = Node(EXACTLY);
            for (; length > 0; --length)
                Emit(static_cast<BYTE>(*m_parse++));
            Emit(0);
            break;
        }
        }
        return ret;
    }

    // The members of a set after its "[", as a zero-terminated list.
    int Set()
    {
        int ret = kNoNode;
        if (*m_parse == '^') {
            ret = Node(ANYBUT);
            ++m_parse;
        } else {
            ret = Node(ANYOF);
        }
        if (*m_parse == ']' || *m_parse == '-')
            Emit(static_cast<BYTE>(*m_parse++));
        while (*m_parse != '\0' && *m_parse != ']') {
            if (*m_parse != '-') {
                Emit(static_cast<BYTE>(*m_parse++));
                continue;
            }
            ++m_parse;
            if (*m_parse == ']' || *m_parse == '\0') {
                Emit('-');
                continue;
            }
            // The range's first character is already in the list. Characters compare as signed bytes.
            int from = static_cast<signed char>(m_parse[-2]) + 1;
            const int to = static_cast<signed char>(*m_parse);
            if (from > to + 1)
                return kNoNode;
            for (; from <= to; ++from) {
                if (from != 0) // a zero would end the list; no text holds one
                    Emit(static_cast<BYTE>(from));
            }
            ++m_parse;
        }
        Emit(0);
        if (*m_parse != ']')
            return kNoNode;
        ++m_parse;
        return ret;
    }

    bool Grow(int n)
    {
        if (m_pos > kMaxProgram - n) {
            m_tooBig = true;
            return false;
        }
        m_pos += n;
        return true;
    }

    void Emit(BYTE b)
    {
        const int at = m_pos;
        if (Grow(1) && m_code != nullptr)
            (*m_code)[at] = b;
    }

    int Node(BYTE op)
    {
        const int at = m_pos;
        Emit(op);
        Emit(0);
        Emit(0);
        return at;
    }

    // Puts a node in front of the operand at 'at', moving the operand up.
    void Insert(BYTE op, int at)
    {
        const int end = m_pos;
        if (!Grow(kNodeSize) || m_code == nullptr)
            return;
        BYTE* code = m_code->data();
        std::memmove(code + at + kNodeSize, code + at, static_cast<size_t>(end - at));
        code[at] = op;
        code[at + 1] = 0;
        code[at + 2] = 0;
    }

    // Links the last node of the chain that starts at p to val.
    void Tail(int p, int val)
    {
        if (m_code == nullptr)
            return;
        BYTE* code = m_code->data();
        int last = p;
        for (int next = NextNode(code, last); next != kNoNode; next = NextNode(code, last))
            last = next;
        const int offset = code[last] == BACK ? last - val : val - last;
        code[last + 1] = static_cast<BYTE>((offset >> 8) & 0xFF);
        code[last + 2] = static_cast<BYTE>(offset & 0xFF);
    }

    // Tail on the operand chain of a BRANCH node; nothing for other nodes.
    void OpTail(int p, int val)
    {
        if (m_code == nullptr || p == kNoNode || (*m_code)[p] != BRANCH)
            return;
        Tail(p + kNodeSize, val);
    }

    const char* m_parse;
    std::vector<BYTE>* m_code;
    int m_pos = 0;
    int m_groups = 1;
    int m_flags = 0;
    bool m_tooBig = false;
};

// Runs a compiled program against one text.
class Matcher {
public:
    Matcher(const std::vector<BYTE>& program, const char* text)
        : m_code(program.data())
        , m_bol(text)
    {
    }

    // True when the program matches at 'at'; the sub-match offsets are then filled.
    bool TryAt(const char* at, int start[], int end[])
    {
        m_input = at;
        m_depth = 0;
        for (int i = 0; i < RegExp::kSubMatches; ++i) {
            m_startp[i] = nullptr;
            m_endp[i] = nullptr;
        }
        if (!Run(0))
            return false;
        m_startp[0] = at;
        m_endp[0] = m_input;
        for (int i = 0; i < RegExp::kSubMatches; ++i) {
            start[i] = m_startp[i] != nullptr ? static_cast<int>(m_startp[i] - m_bol) : -1;
            end[i] = m_endp[i] != nullptr ? static_cast<int>(m_endp[i] - m_bol) : -1;
        }
        return true;
    }

    // A search too deep for the stack, or too long, was given up: the text counts as not matching.
    bool GaveUp() const { return m_gaveUp; }

private:
    class Depth {
    public:
        explicit Depth(Matcher& m)
            : m_matcher(m)
        {
            ++m_matcher.m_depth;
        }
        ~Depth() { --m_matcher.m_depth; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;

    private:
        Matcher& m_matcher;
    };

    // True when the program from this node matches at the current input position.
    bool Run(int node)
    {
        if (m_gaveUp)
            return false;
        if (m_depth >= kMaxDepth || ++m_steps > kMaxSteps) {
            m_gaveUp = true;
            return false;
        }
        const Depth depth(*this);
        while (node != kNoNode) {
            const BYTE op = m_code[node];
            int next = NextNode(m_code, node);
            const char* operand = OperandOf(m_code, node);
            switch (op) {
            case BOL:
                if (m_input != m_bol)
                    return false;
                break;
            case EOL:
                if (*m_input != '\0')
                    return false;
                break;
            case ANY:
                if (*m_input == '\0')
                    return false;
                ++m_input;
                break;
            case EXACTLY: {
                const size_t length = std::strlen(operand);
                if (std::strncmp(operand, m_input, length) != 0)
                    return false;
                m_input += length;
                break;
            }
            case ANYOF:
                if (*m_input == '\0' || std::strchr(operand, *m_input) == nullptr)
                    return false;
                ++m_input;
                break;
            case ANYBUT:
                if (*m_input == '\0' || std::strchr(operand, *m_input) != nullptr)
                    return false;
                ++m_input;
                break;
            case NOTHING:
            case BACK:
                break;
            case BRANCH:
                if (next == kNoNode || m_code[next] != BRANCH) {
                    next = node + kNodeSize; // no choice: run the one alternative
                    break;
                }
                for (; node != kNoNode && m_code[node] == BRANCH; node = NextNode(m_code, node)) {
                    const char* save = m_input;
                    if (Run(node + kNodeSize))
                        return true;
                    m_input = save;
                }
                return false;
            case STAR:
            case PLUS:
                return RunRepeat(node, next, op == STAR ? 0 : 1);
            case END:
                return true;
            default:
                if (op > OPEN && op <= OPEN + kMaxGroups)
                    return RunGroupMark(next, m_startp[op - OPEN]);
                if (op > CLOSE && op <= CLOSE + kMaxGroups)
                    return RunGroupMark(next, m_endp[op - CLOSE]);
                return false; // not a program this compiler writes
            }
            node = next;
        }
        return false;
    }

    // The rest first; on success the position is recorded unless a later pass through the group did.
    bool RunGroupMark(int next, const char*& mark)
    {
        const char* save = m_input;
        if (!Run(next))
            return false;
        if (mark == nullptr)
            mark = save;
        return true;
    }

    // Greedy: the longest run first, giving back one character at a time.
    bool RunRepeat(int node, int next, ptrdiff_t minimum)
    {
        const int operandNode = node + kNodeSize;
        const char nextChar = (next != kNoNode && m_code[next] == EXACTLY) ? *OperandOf(m_code, next) : '\0';
        const char* save = m_input;
        for (ptrdiff_t count = CountRepeats(operandNode); count >= minimum; --count) {
            m_input = save + count;
            if ((nextChar == '\0' || *m_input == nextChar) && Run(next))
                return true;
        }
        return false;
    }

    // How many times in a row the single-character node matches from the input position.
    ptrdiff_t CountRepeats(int node) const
    {
        const char* scan = m_input;
        const char* operand = OperandOf(m_code, node);
        switch (m_code[node]) {
        case ANY:
            scan += std::strlen(scan);
            break;
        case EXACTLY:
            while (*scan != '\0' && *scan == *operand)
                ++scan;
            break;
        case ANYOF:
            while (*scan != '\0' && std::strchr(operand, *scan) != nullptr)
                ++scan;
            break;
        case ANYBUT:
            while (*scan != '\0' && std::strchr(operand, *scan) == nullptr)
                ++scan;
            break;
        default:
            break;
        }
        return scan - m_input;
    }

    const BYTE* m_code;
    const char* m_bol;
    const char* m_input = nullptr;
    const char* m_startp[RegExp::kSubMatches] = {};
    const char* m_endp[RegExp::kSubMatches] = {};
    int m_depth = 0;
    bool m_gaveUp = false;
    long long m_steps = 0;
};

} // namespace

RegExp* RegExp::Compile(LPCTSTR pattern)
{
    m_compiled = true;
    m_program.clear();
    m_firstChar = 0;
    m_anchored = false;
    m_mustContain.clear();
    if (pattern == nullptr)
        return nullptr;

    Compiler sizing(pattern, nullptr);
    if (!sizing.Run())
        return nullptr;
    std::vector<BYTE> program(static_cast<size_t>(sizing.Size()));
    Compiler emitting(pattern, &program);
    if (!emitting.Run())
        return nullptr;

    // With one top-level alternative its first node tells how every match begins.
    const BYTE* code = program.data();
    const int next = NextNode(code, 0);
    if (next != kNoNode && code[next] == END) {
        int scan = kNodeSize;
        if (code[scan] == EXACTLY)
            m_firstChar = *OperandOf(code, scan);
        else if (code[scan] == BOL)
            m_anchored = true;
        // A match that may start with a repetition is costly to try everywhere: a literal that every
        // match holds rules out most texts at once.
        if ((emitting.Flags() & kStartsWithRepeat) != 0) {
            const char* longest = nullptr;
            size_t longestLength = 0;
            for (; scan != kNoNode; scan = NextNode(code, scan)) {
                if (code[scan] != EXACTLY)
                    continue;
                const size_t length = std::strlen(OperandOf(code, scan));
                if (length >= longestLength) {
                    longest = OperandOf(code, scan);
                    longestLength = length;
                }
            }
            if (longest != nullptr)
                m_mustContain.assign(longest, longestLength);
        }
    }
    m_program = std::move(program);
    return this;
}

int RegExp::Match(LPCTSTR text)
{
    m_matched.clear();
    for (int i = 0; i < kSubMatches; ++i) {
        m_start[i] = -1;
        m_end[i] = -1;
    }
    if (text == nullptr || !m_compiled || m_program.empty())
        return -1;
    if (!m_mustContain.empty() && std::strstr(text, m_mustContain.c_str()) == nullptr)
        return -1;

    Matcher matcher(m_program, text);
    auto tryAt = [&](const char* at) {
        if (!matcher.TryAt(at, m_start, m_end))
            return false;
        m_matched.assign(at, static_cast<size_t>(m_end[0] - m_start[0]));
        return true;
    };
    const char* found = nullptr;
    if (m_anchored) {
        if (tryAt(text))
            found = text;
    } else if (m_firstChar != '\0') {
        for (const char* s = std::strchr(text, m_firstChar); s != nullptr && !matcher.GaveUp();
             s = std::strchr(s + 1, m_firstChar)) {
            if (tryAt(s)) {
                found = s;
                break;
            }
        }
    } else {
        for (const char* s = text;; ++s) {
            if (tryAt(s)) {
                found = s;
                break;
            }
            if (*s == '\0' || matcher.GaveUp())
                break;
        }
    }
    if (found == nullptr || matcher.GaveUp()) {
        m_matched.clear();
        return -1;
    }
    return static_cast<int>(found - text);
}

int RegExp::SubMatchStart(int n) const { return n >= 0 && n < kSubMatches ? m_start[n] : -1; }

int RegExp::SubMatchEnd(int n) const { return n >= 0 && n < kSubMatches ? m_end[n] : -1; }
