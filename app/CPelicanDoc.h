#pragma once
// The document of the single-document template. It holds nothing: the library lives in its database
// and the main frame's record set; the class library's template only needs a document to exist.

#include "platform/afx/CDocument.h"

class CPelicanDoc : public CDocument {
    DECLARE_DYNCREATE(CPelicanDoc)
public:
    CPelicanDoc() = default;
    BOOL OnNewDocument() override { return TRUE; }
};
