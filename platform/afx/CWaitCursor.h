#pragma once
// Shows the hourglass for as long as the object lives (the application's nested wait cursor).

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again after something (a message box) changed the cursor.
    void Restore();
};
