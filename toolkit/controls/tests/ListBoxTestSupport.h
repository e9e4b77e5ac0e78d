#pragma once
// What the list-box editor and drag tests share: a window that writes down the notifications its
// controls send, an editor that writes down its hooks, and readers of a list box.

#include <string>
#include <vector>

#include "platform/afx/CListBox.h"
#include "platform/afx/CWnd.h"
#include "toolkit/controls/SECListBoxEditor.h"

namespace listbox_test {

struct Note {
    int id;
    int code;
    bool operator==(const Note&) const = default;
};

class Owner : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        notes.push_back({ LOWORD(wParam), HIWORD(wParam) });
        return CWnd::OnCommand(wParam, lParam);
    }
    // The codes the control id sent, and forgets them.
    std::vector<int> take(int id)
    {
        std::vector<int> codes;
        for (const Note& note : notes)
            if (note.id == id)
                codes.push_back(note.code);
        notes.clear();
        return codes;
    }
    std::vector<Note> notes;
};

class RecordingEditor : public SECListBoxEditor {
public:
    void OnItemChanged(int nIndex, CString strOld, CString strNew) override
    {
        hooks.push_back("changed " + std::to_string(nIndex) + " " + std::string(strOld) + ">" + std::string(strNew));
        SECListBoxEditor::OnItemChanged(nIndex, strOld, strNew);
    }
    void OnItemAdded(int nIndex, CString strText) override
    {
        hooks.push_back("added " + std::to_string(nIndex) + " " + std::string(strText));
        SECListBoxEditor::OnItemAdded(nIndex, strText);
    }
    void OnItemMoved(int nFrom, int nTo, CString strText, BOOL bDragged) override
    {
        hooks.push_back(std::string(bDragged ? "dragged " : "moved ") + std::to_string(nFrom) + ">" + std::to_string(nTo) + " " + std::string(strText));
        SECListBoxEditor::OnItemMoved(nFrom, nTo, strText, bDragged);
    }
    BOOL OnItemDelete(int nIndex, CString strText) override
    {
        hooks.push_back("delete " + std::to_string(nIndex) + " " + std::string(strText));
        return SECListBoxEditor::OnItemDelete(nIndex, strText);
    }
    void OnBrowse() override { hooks.push_back("browse"); }
    BOOL Editing() const { return m_pEdit != nullptr; }
    CRect ButtonRect(int nButton) const { return m_rcButtons[static_cast<size_t>(nButton)]; }
    CToolTipCtrl& ToolTip() { return m_wndToolTip; }
    int LastFrom() const { return m_nLastFrom; }
    int LastTo() const { return m_nLastTo; }

    std::vector<std::string> hooks;
};

inline std::vector<std::string> Items(const CListBox& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetText(i, text);
        items.emplace_back(text);
    }
    return items;
}

inline std::vector<DWORD_PTR> ItemData(const CListBox& list)
{
    std::vector<DWORD_PTR> data;
    for (int i = 0; i < list.GetCount(); ++i)
        data.push_back(list.GetItemData(i));
    return data;
}

// A screen point in item nIndex: at its middle, or dy pixels below its top.
inline CPoint ItemPoint(const CListBox& list, int nIndex, int dy = -1)
{
    CRect rect;
    list.GetItemRect(nIndex, rect);
    CPoint point(rect.left + 20, dy < 0 ? rect.CenterPoint().y : rect.top + dy);
    list.ClientToScreen(&point);
    return point;
}

} // namespace listbox_test
