#include "platform/afx/tests/showcase/CItemsDoc.h"

IMPLEMENT_DYNCREATE(CItemsDoc, CDocument)

BOOL CItemsDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_items = { "Amber", "Birch", "Cedar", "Dune", "Ember" };
    return TRUE;
}
