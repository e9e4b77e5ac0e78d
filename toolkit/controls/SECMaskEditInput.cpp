// The masked edit's keys, typing, mouse and clipboard: every change goes through the mask.

#include <cstring>
#include <string>

#include "platform/base/GlobalMemory.h"
#include "platform/base/MessageBox.h"
#include "platform/user/WinClipboard.h"
#include "toolkit/controls/SECMaskEdit.h"

BEGIN_MESSAGE_MAP(SECMaskEdit, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_COPY, OnCopy)
    ON_MESSAGE(WM_CUT, OnCut)
    ON_MESSAGE(WM_PASTE, OnPaste)
    ON_MESSAGE(WM_CLEAR, OnClear)
END_MESSAGE_MAP()

void SECMaskEdit::Beep() const
{
    ::MessageBeep(MB_ICONEXCLAMATION);
}

int SECMaskEdit::RestingPlace(int nPos) const
{
    int nPlace = GetEndOfData(nPos);
    if (nPlace < 0)
        return nPos;
    if (nPlace < Length() && !IsPlaceholder(nPlace)) {
        const int nNext = NextPlaceholder(nPlace);
        if (nNext >= 0)
            nPlace = nNext;
    }
    return nPlace;
}

void SECMaskEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const bool bShift = ::GetKeyState(VK_SHIFT) < 0;
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    switch (nChar) {
    case VK_BACK:
    case VK_DELETE:
        if (GetStyle() & ES_READONLY)
            return;
        m_bSkipNextChar = TRUE;
        DeleteKey(nChar == VK_BACK);
        return;
    case VK_UP:
    case VK_DOWN:
        return;
    case VK_HOME:
        m_bSkipNextChar = TRUE;
        if (bShift)
            SetSel(nEnd, 0);
        else
            MoveCaret(-1, 1, 0);
        return;
    case VK_END:
        m_bSkipNextChar = TRUE;
        if (bShift) {
            SetSel(nStart, Length());
        } else {
            const int nPlace = RestingPlace(Length());
            SetSel(nPlace, nPlace);
        }
        return;
    case VK_LEFT:
    case VK_RIGHT:
        m_bSkipNextChar = TRUE;
        if (bShift) {
            Default();
        } else if (nChar == VK_LEFT) {
            MoveCaret(nStart, -1, 0);
        } else {
            // Right goes no farther than the first empty placeholder after the entered characters.
            int nPlace = NextPlaceholder(nEnd);
            if (nPlace < 0)
                nPlace = Length();
            if (nPlace <= RestingPlace(Length()) && nPlace != nEnd)
                SetSel(nPlace, nPlace);
        }
        return;
    case VK_INSERT:
        m_bSkipNextChar = TRUE;
        m_bInsertMode = !m_bInsertMode;
        return;
    default:
        m_bSkipNextChar = FALSE;
        Default();
        return;
    }
}

void SECMaskEdit::DeleteKey(bool bBackspace)
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart != nEnd) {
        DeleteRange(nEnd, nStart);
        ShowText();
        int nPlace = NextPlaceholder(nStart - 1);
        if (nPlace < 0)
            nPlace = PrevPlaceholder(Length()) + 1;
        SetSel(nPlace, nPlace);
        return;
    }
    const int nPlace = bBackspace ? PrevPlaceholder(nStart) : IsPlaceholder(nStart) ? nStart : NextPlaceholder(nStart);
    if (nPlace < 0)
        return;
    DeleteRange(nPlace + 1, nPlace);
    ShowText();
    SetSel(nPlace, nPlace);
}

void SECMaskEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Ctrl+C, Ctrl+V and Ctrl+X reach the clipboard handlers through the edit's own handling.
    if (::GetKeyState(VK_CONTROL) < 0) {
        Default();
        return;
    }
    if (GetStyle() & ES_READONLY)
        return;
    if (m_bSkipNextChar) {
        m_bSkipNextChar = FALSE;
        return;
    }
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    const int nTarget = IsPlaceholder(nStart) ? nStart : NextPlaceholder(nStart);
    // A selection that starts on a literal takes the character only at a placeholder inside it.
    if (nTarget < 0 || (nStart != nEnd && nTarget >= nEnd) || nChar >= 0x80) {
        Beep();
        return;
    }
    TCHAR ch = static_cast<TCHAR>(nChar);
    if (!ValidateChar(nTarget, ch)) {
        Beep();
        return;
    }
    if (m_bInsertMode) {
        if (nStart != nEnd)
            DeleteRange(nEnd, nStart);
        InsertChar(nTarget, ch, FALSE);
    } else {
        if (nEnd > nTarget + 1)
            DeleteRange(nEnd, nTarget + 1);
        m_strText[static_cast<size_t>(nTarget)] = ch;
    }
    ShowText();
    CaretAfter(nTarget);
}

void SECMaskEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    Default();
    RestCaret();
}

void SECMaskEdit::OnSetFocus(CWnd* pOldWnd)
{
    Default();
    RestCaret();
}

void SECMaskEdit::RestCaret()
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart == nEnd) {
        const int nPlace = RestingPlace(nStart);
        SetSel(nPlace, nPlace);
    }
}

void SECMaskEdit::CopySelection() const
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    std::string text;
    for (int i = nStart; i < nEnd && i < Length(); ++i)
        if (IsPlaceholder(i)) {
            const char ch = m_strText[static_cast<size_t>(i)];
            text += ch == m_chPrompt ? ' ' : ch;
        }
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (!hData)
        return;
    if (void* pData = ::GlobalLock(hData)) {
        std::memcpy(pData, text.data(), text.size());
        ::GlobalUnlock(hData);
    }
    if (!::OpenClipboard(m_hWnd)) {
        ::GlobalFree(hData);
        return;
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_TEXT, hData))
        ::GlobalFree(hData);
    ::CloseClipboard();
}

LRESULT SECMaskEdit::OnCopy(WPARAM, LPARAM)
{
    CopySelection();
    return 0;
}

LRESULT SECMaskEdit::OnCut(WPARAM, LPARAM)
{
    if (GetStyle() & ES_READONLY)
        return 0;
    CopySelection();
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    DeleteRange(nEnd, nStart);
    ShowText();
    SetSel(nStart, nStart);
    return 0;
}

LRESULT SECMaskEdit::OnPaste(WPARAM, LPARAM)
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if ((GetStyle() & ES_READONLY) || !::IsClipboardFormatAvailable(CF_TEXT) || nStart >= Length())
        return 0;
    std::string text;
    if (!::OpenClipboard(m_hWnd))
        return 0;
    if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
        if (const auto* pText = static_cast<const char*>(::GlobalLock(hData))) {
            text.assign(pText, strnlen(pText, ::GlobalSize(hData)));
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    if (nStart != nEnd)
        DeleteRange(nEnd, nStart);
    SetData(text.c_str(), nStart, TRUE, TRUE);
    const int nPlace = IsPlaceholder(nStart) ? nStart : NextPlaceholder(nStart);
    SetSel(nPlace < 0 ? nStart : nPlace, nPlace < 0 ? nStart : nPlace);
    return 0;
}

LRESULT SECMaskEdit::OnClear(WPARAM, LPARAM)
{
    if (!(GetStyle() & ES_READONLY))
        DeleteKey(false);
    return 0;
}
