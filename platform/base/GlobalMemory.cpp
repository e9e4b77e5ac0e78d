#include "platform/base/GlobalMemory.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

#include "platform/base/WinError.h"

namespace {

struct Block {
    std::unique_ptr<std::byte[]> data;
    std::size_t size { 0 };
    // A moveable block's handle is the address of this token, so it never equals any block's data address.
    std::unique_ptr<char> token;
    int locks { 0 };
};

class Heap {
public:
    void* allocate(UINT flags, std::size_t bytes)
    {
        Block block;
        block.data.reset(new (std::nothrow) std::byte[bytes ? bytes : 1]);
        if (!block.data) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        if (flags & LMEM_ZEROINIT)
            std::memset(block.data.get(), 0, bytes ? bytes : 1);
        block.size = bytes;
        void* handle = block.data.get();
        if (flags & LMEM_MOVEABLE) {
            block.token = std::make_unique<char>();
            handle = block.token.get();
        }
        std::lock_guard lock(m_mutex);
        m_blocks.emplace(handle, std::move(block));
        return handle;
    }

    void* free(void* handle)
    {
        if (!handle)
            return nullptr;
        std::unique_lock lock(m_mutex);
        auto node = m_blocks.extract(handle);
        lock.unlock();
        if (node.empty()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return handle;
        }
        return nullptr;
    }

    void* lock(void* handle)
    {
        std::lock_guard lock(m_mutex);
        Block* block = find(handle);
        if (!block)
            return nullptr;
        if (block->token)
            ++block->locks;
        return block->data.get();
    }

    BOOL unlock(void* handle)
    {
        std::lock_guard lock(m_mutex);
        Block* block = find(handle);
        if (!block)
            return FALSE;
        if (!block->token) {
            SetLastError(NO_ERROR);
            return FALSE;
        }
        if (block->locks == 0) {
            SetLastError(ERROR_NOT_LOCKED);
            return FALSE;
        }
        if (--block->locks > 0)
            return TRUE;
        SetLastError(NO_ERROR);
        return FALSE;
    }

    std::size_t size(void* handle)
    {
        std::lock_guard lock(m_mutex);
        Block* block = find(handle);
        return block ? block->size : 0;
    }

private:
    Block* find(void* handle)
    {
        const auto it = m_blocks.find(handle);
        if (it == m_blocks.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        return &it->second;
    }

    std::mutex m_mutex;
    std::unordered_map<void*, Block> m_blocks;
};

Heap& heap()
{
    // Never destroyed: blocks may still be freed by static destructors of other libraries.
    static Heap* instance = new Heap;
    return *instance;
}

} // namespace

HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes) { return heap().allocate(uFlags, uBytes); }

HLOCAL LocalFree(HLOCAL hMem) { return heap().free(hMem); }

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes) { return heap().allocate(uFlags, dwBytes); }

HGLOBAL GlobalFree(HGLOBAL hMem) { return heap().free(hMem); }

LPVOID GlobalLock(HGLOBAL hMem) { return heap().lock(hMem); }

BOOL GlobalUnlock(HGLOBAL hMem) { return heap().unlock(hMem); }

SIZE_T GlobalSize(HGLOBAL hMem) { return heap().size(hMem); }
