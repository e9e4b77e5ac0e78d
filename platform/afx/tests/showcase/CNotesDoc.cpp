#include "platform/afx/tests/showcase/CNotesDoc.h"

IMPLEMENT_DYNCREATE(CNotesDoc, CDocument)

BOOL CNotesDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_lines.clear();
    for (int i = 1; i <= kFirstLines; ++i) {
        CString line;
        line.Format("Note %d", i);
        m_lines.push_back(line);
    }
    return TRUE;
}

void CNotesDoc::AddLine(const CString& line)
{
    m_lines.push_back(line);
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}
