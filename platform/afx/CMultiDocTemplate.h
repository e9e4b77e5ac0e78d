#pragma once
// The template of documents that each get a frame of their own; it keeps all the documents it made.
// Their frames share the menu and accelerators of the template's resource id, which the template owns.

#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CPtrList.h"

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
        CRuntimeClass* pViewClass);
    // Leaves its documents and frees the shared menu and accelerators.
    ~CMultiDocTemplate() override;

    // The document strings, and the menu and accelerators of the resource id when it has them.
    void LoadTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& rPos) const override;
    // A new document with a new frame, emptied (null path) or read from the file; null on failure.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    // "<name><n>", counting the untitled documents made so far.
    void SetDefaultTitle(CDocument* pDocument) override;

    CPtrList m_docList;
    UINT m_nUntitledCount { 0 };
    HMENU m_hMenuShared { nullptr };
    HACCEL m_hAccelTable { nullptr };
};
