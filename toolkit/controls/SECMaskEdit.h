#pragma once
// A single-line edit that takes input only in the shape of a mask such as "(###) ###-####". The mask
// fixes the text's length: its literals are shown and cannot be typed over or deleted, and each
// placeholder takes one character of its class and shows the prompt character while empty.
//
// Mask characters: # a digit, & any character, ? a letter, A a letter or digit, L a letter (stored in
// lower case unless the control has ES_UPPERCASE), U a letter (upper case unless ES_LOWERCASE); a
// backslash makes the next character a literal. Only ASCII letters and digits count, and a placeholder
// holds one printable ASCII character, so the text stays one byte per mask position.

#include <string>

#include "platform/afx/CDataExchange.h"
#include "platform/afx/CEdit.h"

class SECMaskEdit : public CEdit {
    DECLARE_DYNAMIC(SECMaskEdit)
public:
    SECMaskEdit() = default;

    // Subclasses the dialog's edit control nID.
    BOOL AttachEdit(int nID, CWnd* pParent);

    // Stores and parses the mask, empties the text, shows it unmodified with the caret on the first
    // placeholder and forgets the undo step.
    virtual BOOL SetMask(LPCTSTR lpszMask);
    // The prompt shown in empty placeholders; 0 is ignored.
    virtual void SetPromptChar(TCHAR ch);
    virtual TCHAR GetPromptChar() const { return m_chPrompt; }

    // Offers each character of the data to the placeholders from nStart on (a literal start moves to the
    // next placeholder): a valid one is inserted (bInsert) or written there and the next placeholder
    // comes; an invalid one is dropped, except that without bDropPrompts a prompt character leaves its
    // placeholder empty. FALSE for an empty mask or a start outside it.
    virtual BOOL SetData(LPCTSTR lpszData, int nStart = 0, BOOL bInsert = FALSE, BOOL bDropPrompts = TRUE);
    // The placeholders' characters in order, prompts as blanks; bTrim drops the blanks at the end.
    virtual void GetData(CString& rData, BOOL bTrim = FALSE) const;
    // The whole text shown, literals and prompts included.
    virtual CString GetRawData() const { return CString(m_strText.c_str()); }

    virtual void SetInsertMode(BOOL bInsert) { m_bInsertMode = bInsert; }
    virtual BOOL GetInsertMode() const { return m_bInsertMode; }

    // One step of undo: the text before the last change that was shown.
    virtual BOOL CanUndo() const { return m_strUndo != m_strText; }
    virtual void Undo();
    virtual void EmptyUndo();

    // Whether ch may stand at position nPos; may change its case as the mask and styles ask.
    virtual BOOL ValidateChar(int nPos, TCHAR& ch) const;
    virtual BOOL IsLiteral(TCHAR chMask) const { return static_cast<unsigned char>(chMask) < kPlaceholderBit; }
    virtual BOOL IsMaskChar(TCHAR ch) const;
    virtual void ResetData() { BuildTemplate(m_strMask, m_strText); }
    virtual void BuildTemplate(const std::string& mask, std::string& rTemplate) const;
    virtual void ParseMask();
    // Just after the last entered character; nPos itself when it lies within the entered characters;
    // the first placeholder when nothing is entered.
    virtual int GetEndOfData(int nPos) const;
    // Moves the entered characters from nPos one placeholder to the right (the last falls off) and puts
    // ch at nPos; with bShow shows the text and puts the caret on the next placeholder. FALSE unless
    // nPos is a placeholder.
    virtual BOOL InsertChar(int nPos, TCHAR ch, BOOL bShow = TRUE);
    // Removes the characters of the placeholders from nStart up to nEnd (not included); the entered
    // characters after them move left and the placeholders freed at the end show the prompt.
    virtual void DeleteRange(int nEnd, int nStart);
    // Puts the caret on the first placeholder after nPos (nDirection 1) or the last one before it (-1),
    // selecting nExtent characters; that placeholder, or -1 (the caret stays) when there is none.
    virtual int MoveCaret(int nPos, int nDirection = 1, int nExtent = 0);
    virtual int NextPlaceholder(int nPos) const;
    virtual int PrevPlaceholder(int nPos) const;
    // Shows the text as the window's text (modified), and makes the text shown before it the undo step.
    virtual void ShowText();

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnCopy(WPARAM, LPARAM);
    afx_msg LRESULT OnCut(WPARAM, LPARAM);
    afx_msg LRESULT OnPaste(WPARAM, LPARAM);
    afx_msg LRESULT OnClear(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    static constexpr unsigned kPlaceholderBit = 0x80;

    int Length() const { return static_cast<int>(m_strMask.size()); }
    bool IsPlaceholder(int nPos) const;
    // The caret's resting place for a click or focus at nPos: never on a literal, never past the first
    // empty placeholder after the entered characters.
    int RestingPlace(int nPos) const;
    // Without a selection, moves the caret to its resting place (after a click or the focus came).
    void RestCaret();
    // Puts the caret on the placeholder after nPos, or just behind nPos when it is the last one.
    void CaretAfter(int nPos);
    // Backspace and Delete: a selection goes; otherwise the placeholder before the caret (Backspace) or
    // at it.
    void DeleteKey(bool bBackspace);
    void CopySelection() const;
    void Beep() const;

    std::string m_strMask;
    std::string m_strText;
    TCHAR m_chPrompt { ' ' };
    BOOL m_bSkipNextChar { FALSE };
    BOOL m_bInsertMode { FALSE };
    std::string m_strUndo;
    std::string m_strPrevious;
};

// Exchanges a masked edit's text with a dialog's members: saving, rRaw gets the whole text and rData the
// placeholders' characters (untrimmed); loading puts rData into the placeholders from the start.
void DDX_MaskEdit(CDataExchange* pDX, SECMaskEdit& rControl, CString& rData, CString& rRaw);
