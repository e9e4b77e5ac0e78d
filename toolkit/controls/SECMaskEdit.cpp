#include "toolkit/controls/SECMaskEdit.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(SECMaskEdit, CEdit)

namespace {

bool IsAsciiLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
bool IsAsciiDigit(char ch) { return ch >= '0' && ch <= '9'; }
char ToUpper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }
char ToLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

} // namespace

BOOL SECMaskEdit::AttachEdit(int nID, CWnd* pParent)
{
    return pParent && SubclassDlgItem(static_cast<UINT>(nID), pParent);
}

BOOL SECMaskEdit::SetMask(LPCTSTR lpszMask)
{
    m_strMask = lpszMask ? lpszMask : "";
    ParseMask();
    ResetData();
    if (m_hWnd) {
        ShowText();
        SetModify(FALSE);
        MoveCaret(-1, 1, 0);
    }
    EmptyUndo();
    return TRUE;
}

void SECMaskEdit::ParseMask()
{
    std::string parsed;
    for (size_t i = 0; i < m_strMask.size(); ++i) {
        const char ch = m_strMask[i];
        if (ch == '\\') {
            // The escaped character stands as a literal; a backslash at the very end escapes nothing.
            if (++i < m_strMask.size())
                parsed += m_strMask[i];
        } else if (IsMaskChar(ch)) {
            parsed += static_cast<char>(static_cast<unsigned char>(ch) | kPlaceholderBit);
        } else {
            parsed += ch;
        }
    }
    m_strMask = std::move(parsed);
}

BOOL SECMaskEdit::IsMaskChar(TCHAR ch) const
{
    return ch != '\0' && std::strchr("#&?ALU", ch) != nullptr;
}

void SECMaskEdit::BuildTemplate(const std::string& mask, std::string& rTemplate) const
{
    rTemplate = mask;
    for (char& ch : rTemplate)
        if (!IsLiteral(ch))
            ch = m_chPrompt;
}

void SECMaskEdit::SetPromptChar(TCHAR ch)
{
    // A prompt is a character of the text, which holds one byte per position.
    if (ch == '\0' || static_cast<unsigned char>(ch) >= 0x80)
        return;
    for (int i = 0; i < Length(); ++i)
        if (IsPlaceholder(i) && m_strText[static_cast<size_t>(i)] == m_chPrompt)
            m_strText[static_cast<size_t>(i)] = ch;
    m_chPrompt = ch;
    if (m_hWnd)
        ShowText();
}

bool SECMaskEdit::IsPlaceholder(int nPos) const
{
    return nPos >= 0 && nPos < Length() && !IsLiteral(m_strMask[static_cast<size_t>(nPos)]);
}

BOOL SECMaskEdit::ValidateChar(int nPos, TCHAR& ch) const
{
    if (!IsPlaceholder(nPos))
        return FALSE;
    const DWORD style = m_hWnd ? GetStyle() : 0;
    if (style & ES_UPPERCASE)
        ch = ToUpper(ch);
    else if (style & ES_LOWERCASE)
        ch = ToLower(ch);
    switch (static_cast<char>(m_strMask[static_cast<size_t>(nPos)] & 0x7F)) {
    case '#':
        return IsAsciiDigit(ch);
    case '&':
        return static_cast<unsigned char>(ch) >= 0x20 && static_cast<unsigned char>(ch) < 0x7F;
    case '?':
        return IsAsciiLetter(ch);
    case 'A':
        return IsAsciiLetter(ch) || IsAsciiDigit(ch);
    case 'L':
        if (!IsAsciiLetter(ch))
            return FALSE;
        if (!(style & ES_UPPERCASE))
            ch = ToLower(ch);
        return TRUE;
    case 'U':
        if (!IsAsciiLetter(ch))
            return FALSE;
        if (!(style & ES_LOWERCASE))
            ch = ToUpper(ch);
        return TRUE;
    default:
        // A byte of 128 or more in the mask text reads as a placeholder of no known class.
        return FALSE;
    }
}

int SECMaskEdit::NextPlaceholder(int nPos) const
{
    for (int i = std::max(nPos + 1, 0); i < Length(); ++i)
        if (IsPlaceholder(i))
            return i;
    return -1;
}

int SECMaskEdit::PrevPlaceholder(int nPos) const
{
    for (int i = std::min(nPos, Length()) - 1; i >= 0; --i)
        if (IsPlaceholder(i))
            return i;
    return -1;
}

int SECMaskEdit::GetEndOfData(int nPos) const
{
    int nLast = -1;
    for (int i = 0; i < Length(); ++i)
        if (IsPlaceholder(i) && m_strText[static_cast<size_t>(i)] != m_chPrompt)
            nLast = i;
    if (nLast < 0)
        return NextPlaceholder(-1);
    return nPos <= nLast ? nPos : nLast + 1;
}

BOOL SECMaskEdit::InsertChar(int nPos, TCHAR ch, BOOL bShow)
{
    // Only a placeholder takes a character: a position at the end of the text lies outside it.
    if (!IsPlaceholder(nPos))
        return FALSE;
    std::vector<size_t> places;
    for (int i = nPos; i >= 0; i = NextPlaceholder(i))
        places.push_back(static_cast<size_t>(i));
    for (size_t n = places.size() - 1; n > 0; --n)
        m_strText[places[n]] = m_strText[places[n - 1]];
    m_strText[places.front()] = ch;
    if (bShow) {
        ShowText();
        CaretAfter(nPos);
    }
    return TRUE;
}

void SECMaskEdit::DeleteRange(int nEnd, int nStart)
{
    nStart = std::clamp(nStart, 0, Length());
    nEnd = std::clamp(nEnd, nStart, Length());
    std::string kept;
    for (int i = nEnd; i < Length(); ++i)
        if (IsPlaceholder(i))
            kept += m_strText[static_cast<size_t>(i)];
    size_t next = 0;
    for (int i = nStart; i < Length(); ++i)
        if (IsPlaceholder(i))
            m_strText[static_cast<size_t>(i)] = next < kept.size() ? kept[next++] : m_chPrompt;
}

BOOL SECMaskEdit::SetData(LPCTSTR lpszData, int nStart, BOOL bInsert, BOOL bDropPrompts)
{
    if (m_strMask.empty() || nStart < 0 || nStart >= Length())
        return FALSE;
    int nPos = IsPlaceholder(nStart) ? nStart : NextPlaceholder(nStart);
    for (const char* p = lpszData ? lpszData : ""; *p && nPos >= 0; ++p) {
        TCHAR ch = *p;
        if (!bDropPrompts && ch == m_chPrompt) {
            ch = m_chPrompt;
        } else if (!ValidateChar(nPos, ch)) {
            continue;
        }
        if (bInsert)
            InsertChar(nPos, ch, FALSE);
        else
            m_strText[static_cast<size_t>(nPos)] = ch;
        nPos = NextPlaceholder(nPos);
    }
    if (m_hWnd)
        ShowText();
    return TRUE;
}

void SECMaskEdit::GetData(CString& rData, BOOL bTrim) const
{
    std::string data;
    for (int i = 0; i < Length(); ++i)
        if (IsPlaceholder(i)) {
            const char ch = m_strText[static_cast<size_t>(i)];
            data += ch == m_chPrompt ? ' ' : ch;
        }
    if (bTrim)
        data.erase(data.find_last_not_of(' ') + 1);
    rData = data.c_str();
}

void SECMaskEdit::Undo()
{
    if (!CanUndo())
        return;
    m_strText = m_strUndo;
    ShowText();
}

void SECMaskEdit::EmptyUndo()
{
    BuildTemplate(m_strMask, m_strUndo);
    m_strPrevious = m_strUndo;
}

void SECMaskEdit::ShowText()
{
    SetWindowText(m_strText.c_str());
    SetModify(TRUE);
    m_strUndo = m_strPrevious;
    m_strPrevious = m_strText;
}

int SECMaskEdit::MoveCaret(int nPos, int nDirection, int nExtent)
{
    const int nPlace = nDirection < 0 ? PrevPlaceholder(nPos) : NextPlaceholder(nPos);
    if (nPlace < 0)
        return -1;
    SetSel(nPlace, nPlace + nExtent);
    return nPlace;
}

void SECMaskEdit::CaretAfter(int nPos)
{
    // After the last placeholder the caret stands behind the character just put there.
    if (MoveCaret(nPos, 1, 0) < 0)
        SetSel(nPos + 1, nPos + 1);
}

void DDX_MaskEdit(CDataExchange* pDX, SECMaskEdit& rControl, CString& rData, CString& rRaw)
{
    if (pDX->m_bSaveAndValidate) {
        rRaw = rControl.GetRawData();
        rControl.GetData(rData, FALSE);
    } else {
        rControl.SetData(rData, 0, FALSE, TRUE);
    }
}
