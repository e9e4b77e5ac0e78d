#pragma once
// Questions about the application's document templates: which template made a document with its view
// and frame, how to name a template persistently (a document-type key and its index among the templates
// with that key) and find it again, and which resource a frame was loaded from. Made on the stack.

#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CPtrList.h"

class CDocument;
class CFrameWnd;
class CView;

class SECDocTemplateUtils {
public:
    virtual ~SECDocTemplateUtils() = default;

    // pTemplate's index among the application's templates with the same key; -1 for a null or unknown
    // template or without an application.
    virtual int GetTemplateIndex(CDocTemplate* pTemplate, const CString& strKey);
    // The nIndex-th (from 0) template with the key; null when there are fewer.
    virtual CDocTemplate* GetTemplate(const CString& strKey, int nIndex);
    // The template that made the document with this view and frame; null when any is null.
    virtual CDocTemplate* FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame);
    // The resource id the frame was loaded from; 0 for a null frame.
    virtual UINT GetFrameResourceID(CFrameWnd* pFrame);
    // Appends every template of the application in order; FALSE without an application.
    virtual BOOL GetAllTemplates(CPtrList& templates);
    // Each filter keeps the matching templates of the list; FALSE (list unchanged) for a null argument.
    virtual BOOL FilterByViewAndFrame(CPtrList& templates, CView* pView, CFrameWnd* pFrame);
    virtual BOOL FilterByResource(CPtrList& templates, CFrameWnd* pFrame);
    virtual BOOL FilterByDocument(CPtrList& templates, CDocument* pDoc);
    // Settles on the only template: TRUE with null for an empty list, TRUE with it for one, FALSE for more.
    virtual BOOL GetSingle(CPtrList& templates, CDocTemplate*& pTemplate);
    // Whether the class is (or derives from) the toolkit's dockable frame; FALSE for null.
    virtual BOOL IsDockableFrameClass(CRuntimeClass* pClass);
    // The frame class the template makes: its frame class, or with bDockable the dockable frame class
    // of a dockable-view template (null for other templates).
    virtual CRuntimeClass* GetTemplateFrameClass(CDocTemplate* pTemplate, BOOL bDockable);

    // TRUE: templates are keyed by their document-type id; FALSE: by their document-type name.
    BOOL m_bKeyById { FALSE };

protected:
    CString GetKey(CDocTemplate* pTemplate) const;
};
