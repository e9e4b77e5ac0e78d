#pragma once
// A document: the data a set of views show, with its title, file name and modified flag. It belongs to
// its template; it is read and written through Serialize, and goes when its last view does (when
// m_bAutoDelete is set).

#include "platform/afx/CCmdTarget.h"
#include "platform/afx/CPtrList.h"
#include "platform/afx/CString.h"

class CArchive;
class CDocTemplate;
class CFile;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    // Lets go of its views and leaves its template.
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // Sets the title and refreshes the titles of the frames showing the document.
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Sets the file name (the title becomes its file part); bAddToMRU puts it on the recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    // The menu and accelerators a frame shows while this document is active in place of its
    // template's; none here.
    virtual HMENU GetDefaultMenu() { return nullptr; }
    virtual HACCEL GetDefaultAccelerator() { return nullptr; }

    // The views, in the order they were added.
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const;
    // Tells every view but pSender that the document changed.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // Empties the document (before new contents are made or read). Nothing here.
    virtual void DeleteContents() { }
    // A new, empty document: contents deleted, not modified, no file name. FALSE refuses it.
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize. FALSE when it cannot: a file that does not open leaves the
    // document as it was; a damaged one leaves it empty and without a file name.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Writes the document through Serialize into a temporary file that then replaces the file, so a
    // failed save never loses the old file. FALSE when it cannot.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Closes the frames showing the document, then deletes it when m_bAutoDelete is set.
    virtual void OnCloseDocument();
    // Asks the user whether to save a modified document; FALSE when the user cancels or the save fails.
    virtual BOOL SaveModified();
    // Whether the frame may close: only the last frame of a document asks SaveModified.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Called before the document's last frame closes.
    virtual void PreCloseFrame(CFrameWnd* pFrame) { }
    // Called when a view comes or goes: a document without views closes itself.
    virtual void OnChangedViewList();
    // Saves under lpszPathName (null: ask for a name when there is none or bReplace). FALSE on failure.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    // Idle processing; nothing here.
    virtual void OnIdle() { }

    // Routes commands to the document, then to its template.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate { nullptr };
    CPtrList m_viewList;
    BOOL m_bModified { FALSE };
    BOOL m_bAutoDelete { TRUE };
    BOOL m_bEmbedded { FALSE };

protected:
    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    DECLARE_MESSAGE_MAP()

private:
    friend class CDocTemplate;
    // Set while OnCloseDocument runs, so that the views going do not close the document again.
    bool m_bClosing { false };
};
