#pragma once
// A page of notes: numbered lines, to which items dropped from a list are added.

#include <vector>

#include "platform/afx/CDocument.h"

class CNotesDoc : public CDocument {
    DECLARE_DYNCREATE(CNotesDoc)
public:
    static constexpr int kFirstLines = 60;

    BOOL OnNewDocument() override;
    void AddLine(const CString& line);

    std::vector<CString> m_lines;
};
