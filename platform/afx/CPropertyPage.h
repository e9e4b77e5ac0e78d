#pragma once
// A page of a property sheet: a dialog made as a child of the sheet when its tab is first chosen.
// Leaving the page takes its data (OnKillActive, which may refuse); coming back puts the members into
// the controls again, so a page sees what other pages changed meanwhile. The sheet's OK and Apply
// call OnApply on every page that was made; Cancel calls OnReset.

#include <vector>

#include "platform/afx/CDialog.h"
#include "platform/comctl/PrSht.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage() = default;
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // Marks the page changed (or not): the sheet's Apply button is enabled while any page is.
    void SetModified(BOOL bChanged = TRUE);

    // The page is becoming the sheet's active one; FALSE keeps it from showing.
    virtual BOOL OnSetActive();
    // The page is being left (another tab, OK or Apply): takes its data; FALSE keeps it active.
    virtual BOOL OnKillActive();
    // OK or Apply was pressed: calls OnOK. FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // Cancel was pressed: calls OnCancel.
    virtual void OnReset();
    // Cancel is about to be carried out; FALSE keeps the sheet open.
    virtual BOOL OnQueryCancel();
    // What the page does to accept or drop its changes; nothing by default, as the sheet ends itself.
    void OnOK() override { }
    void OnCancel() override { }

    // A page inside a sheet leaves the keyboard interface to the sheet.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The tab's text: the caption given to the constructor, else the template's caption.
    CString m_strCaption;
    PROPSHEETPAGE m_psp;

private:
    friend class CPropertySheet;
    // Makes the page's window as a child of the sheet; FALSE when the template is missing or damaged.
    BOOL CreatePage(CPropertySheet* pSheet);
    // The template's caption and its size in dialog units; false when the template cannot be read.
    bool ReadTemplate(CString& caption, SIZE& size) const;
    // The template's bytes, restyled as a child that takes part in its parent's keyboard interface.
    bool ChildTemplate(std::vector<BYTE>& bytes, HINSTANCE& hInst) const;

    CPropertySheet* m_pSheet { nullptr };
    BOOL m_bChanged { FALSE };
    BOOL m_bFirstSetActive { TRUE };
};
