#pragma once
// What the window part of the class library keeps per thread: the message being handled (for
// CWnd::Default), the window whose creation is under way, and the temporary-map lock.

#include "platform/user/WinUser.h"

class CWnd;

struct AFX_THREAD_STATE {
    // The message AfxWndProc is handling on this thread (the last one sent, for Default and reflection).
    MSG m_lastSentMsg {};
    // The object that the next window created on this thread is attached to.
    CWnd* m_pWndInit { nullptr };
    // The creation hook and how many creations are using it.
    HHOOK m_hHookOldCbtFilter { nullptr };
    int m_nCreateHookDepth { 0 };
    // AfxLockTempMaps count.
    int m_nTempMapLock { 0 };
};

// The calling thread's state.
AFX_THREAD_STATE* AfxGetThreadState();
