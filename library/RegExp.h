#pragma once
// A small regular-expression engine: a pattern compiles into a program of nodes, and a text is searched
// for the leftmost place where that program matches, by backtracking. Characters compare as exact bytes.
//
// Pattern language: . any character; ^ and $ the start and end of the text; [set] and [^set] with ranges
// a-z; ( ) groups (at most 9); | alternatives; postfix * + ?; a backslash makes the next character
// ordinary. Every other character stands for itself.

#include "platform/base/WinTypes.h"

#include <string>
#include <vector>

class RegExp {
public:
    // Entry 0 is the whole match, entries 1 to 9 the groups in the order of their opening parentheses.
    static constexpr int kSubMatches = 10;

    // An expression with nothing compiled: Match gives -1 until a compile succeeds.
    RegExp() = default;
    RegExp(const RegExp&) = delete;
    RegExp& operator=(const RegExp&) = delete;

    // Compiles the pattern; this object on success, null when the pattern is null, not valid, or its
    // program would not fit the 16-bit links (32767 bytes). A failed compile leaves nothing to match with.
    RegExp* Compile(LPCTSTR pattern);
    // The byte offset in the text where the leftmost match begins; -1 when there is no match, the text is
    // null, or no compile has succeeded.
    int Match(LPCTSTR text);

    // Byte offset where sub-match n of the last successful match starts; -1 when it took no part or n is
    // outside 0..9.
    int SubMatchStart(int n) const;
    // Byte offset just past the end of sub-match n; -1 as for SubMatchStart.
    int SubMatchEnd(int n) const;
    // The text of the last whole match; empty after a failed match.
    const std::string& MatchedText() const { return m_matched; }

private:
    bool m_compiled = false;
    std::vector<BYTE> m_program;
    // Facts found at compile time that let a match skip impossible texts and offsets.
    char m_firstChar = 0;
    bool m_anchored = false;
    std::string m_mustContain;

    int m_start[kSubMatches] = { -1, -1, -1, -1, -1, -1, -1, -1, -1, -1 };
    int m_end[kSubMatches] = { -1, -1, -1, -1, -1, -1, -1, -1, -1, -1 };
    std::string m_matched;
};
