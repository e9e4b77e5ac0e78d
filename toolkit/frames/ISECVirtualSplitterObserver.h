#pragma once
// Told the distance a virtual splitter bar was dragged; the observer resizes its own nodes to follow.

class SECLNVirtualSplitter;

class ISECVirtualSplitterObserver {
public:
    virtual ~ISECVirtualSplitterObserver() = default;
    virtual void OnSplitterMoved(SECLNVirtualSplitter* pSplitter, int dx, int dy) = 0;
};
