#pragma once
// The template of a program that shows one document at a time in its main frame: opening another
// document reuses the document object and the frame.

#include "platform/afx/CDocTemplate.h"

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
        CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    // The one document, emptied (null path) or read from the file. The old contents stay when a file
    // cannot be read into a document that was already showing.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

    CDocument* m_pOnlyDoc { nullptr };
};
