#pragma once
// A document template: the document, frame and view classes that make up one kind of document, and
// its strings (the resource string nIDResource: "window title\ndocument name\nnew name\nfilter
// name\nfilter extension\nregistry type id\nregistry type name"). It makes documents with their frames
// and keeps the documents it made.

#include "platform/afx/CCmdTarget.h"
#include "platform/afx/CString.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };
    enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative,
        yesAlreadyOpen };

    ~CDocTemplate() override;

    // Reads the template's strings (done when the template is added to the application).
    virtual void LoadTemplate();
    // One of the template's strings; FALSE (and an empty text) when it has none.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    // How well a file fits the template: already open, by its extension, or not at all.
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
    // A new, empty document of the template's class, added to the template; null when it cannot be made.
    virtual CDocument* CreateNewDocument();
    // A new frame (from the resource id) showing pDoc in a view of the template's class; null on failure.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // Sends WM_INITIALUPDATE to the frame's views and, when bMakeVisible, shows and activates it.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // Opens the file in a document (a new, empty one for null); null when it cannot.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    // Gives a new document its default title ("Untitled" or the template's new name).
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    // Asks every document whether it may close; FALSE when one refuses.
    virtual BOOL SaveAllModified();
    // Closes all documents.
    virtual void CloseAllDocuments(BOOL bEndSession);

    UINT m_nIDResource { 0 };
    CRuntimeClass* m_pDocClass { nullptr };
    CRuntimeClass* m_pFrameClass { nullptr };
    CRuntimeClass* m_pViewClass { nullptr };
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
};
