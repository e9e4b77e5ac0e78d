#pragma once
// The template of documents that each get a frame of their own; it keeps all the documents it made.

#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CPtrList.h"

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
        CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

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
};
