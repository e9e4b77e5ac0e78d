#pragma once
// The showcase program: an MDI frame with notes and lists of items, run by the class library's tests
// on the headless screen and shown through a real display by hand.

#include "platform/afx/CMultiDocTemplate.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/tests/showcase/ShowcaseSettings.h"

class CShowcaseFrame;

class CShowcaseApp : public CWinApp {
public:
    CShowcaseApp();
    // OLE, the two document templates, the main frame and one document of each kind, tiled.
    BOOL InitInstance() override;

    CShowcaseFrame* MainFrame() const;

    ShowcaseSettings m_settings;
    CMultiDocTemplate* m_pNotesTemplate { nullptr };
    CMultiDocTemplate* m_pItemsTemplate { nullptr };

protected:
    afx_msg void OnNewNotes();
    afx_msg void OnNewItems();
    DECLARE_MESSAGE_MAP()
};

CShowcaseApp& ShowcaseApp();
