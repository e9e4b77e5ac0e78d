#pragma once
// A list of named items, the source of drags into the notes.

#include <vector>

#include "platform/afx/CDocument.h"

class CItemsDoc : public CDocument {
    DECLARE_DYNCREATE(CItemsDoc)
public:
    BOOL OnNewDocument() override;

    std::vector<CString> m_items;
};
