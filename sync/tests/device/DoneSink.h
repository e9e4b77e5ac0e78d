#pragma once
// An event sink for a device object's run that records what the run reports: its progress, whether a
// file's percent was seen, whether it was abandoned, and SyncDone, which a waiter can wait for.

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/com/OaIdl.h"
#include "sync/Lumasync.h"
#include "sync/SyncRunState.h"

// Counts the device's events.
class DoneSink final : public IDispatch {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == platform::IidOf<IDispatch>() || riid == platform::IidOf<IQVClientDeviceEvents>()) {
            *ppv = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        std::lock_guard guard(m_lock);
        if (id == DISPID_QVSYNC_SYNCDONE)
            m_done = true;
        // Progress(percent, file percent, status): the arguments come last to first.
        if (id == DISPID_QVSYNC_PROGRESS && params && params->cArgs == 3) {
            m_progressCount++;
            if (params->rgvarg[1].lVal > 0 && params->rgvarg[1].lVal < 100)
                m_filePercentSeen = true;
            if (static_cast<DWORD>(params->rgvarg[0].lVal) & SyncRunState::kCancelBit)
                m_abandoned = true;
        }
        m_changed.notify_all();
        return S_OK;
    }
    // Waits for SyncDone; a generous limit only keeps a broken run from hanging its waiter.
    bool WaitDone(std::chrono::seconds limit = std::chrono::seconds(120))
    {
        std::unique_lock guard(m_lock);
        return m_changed.wait_for(guard, limit, [this] { return m_done; });
    }
    // Waits for a progress report whose status carries the cancel bit: the run ended unfinished.
    bool WaitAbandoned()
    {
        std::unique_lock guard(m_lock);
        return m_changed.wait_for(guard, std::chrono::seconds(120), [this] { return m_abandoned; });
    }
    bool Done()
    {
        std::lock_guard guard(m_lock);
        return m_done;
    }
    // Forgets what an earlier run reported.
    void Reset()
    {
        std::lock_guard guard(m_lock);
        m_done = false;
        m_abandoned = false;
        m_filePercentSeen = false;
    }
    bool FilePercentSeen()
    {
        std::lock_guard guard(m_lock);
        return m_filePercentSeen;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_done { false };
    bool m_abandoned { false };
    bool m_filePercentSeen { false };
    int m_progressCount { 0 };
};
