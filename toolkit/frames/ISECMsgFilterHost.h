#pragma once
// A window that keeps a root message filter, so that the filters of another window (the MDI frame
// acting for its maximised child) can look at that window's filters.

class SECMsgFilter;

class ISECMsgFilterHost {
public:
    virtual SECMsgFilter* GetRootMsgFilter() = 0;

protected:
    ~ISECMsgFilterHost() = default;
};
