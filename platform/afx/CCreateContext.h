#pragma once
// What a frame needs to make its view when it is created from a document template.

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;
struct CRuntimeClass;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass { nullptr }; // the view class to create
    CDocument* m_pCurrentDoc { nullptr }; // the document the view shows
    CDocTemplate* m_pNewDocTemplate { nullptr }; // the template of a new frame
    CView* m_pLastView { nullptr }; // the view the new one follows
    CFrameWnd* m_pCurrentFrame { nullptr }; // the frame the new one copies
};
