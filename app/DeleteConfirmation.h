#pragma once
// The question before a library object is deleted, asked only while the user keeps that kind's
// confirmation on; its "don't ask again" box turns the confirmation off for good.

#include "app/CPelicanApp.h"

class CWnd;

// True when the delete may go ahead: the confirmation is off, or the user answered Yes (the box's
// choice then stored in the settings). The message's %s becomes the object's name.
bool ConfirmDeleteObject(CWnd* pParent, CPelicanApp::ConfirmKind kind, UINT nCaptionId, UINT nMessageId, LPCTSTR lpszName);
