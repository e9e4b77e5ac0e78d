#include "app/ListMerge.h"

#include <unordered_set>

ListMergeResult MergeLists(const ListMergeCallbacks& callbacks)
{
    if (callbacks.pfnCompare == nullptr || callbacks.pfnNextA == nullptr || callbacks.pfnNextB == nullptr)
        return mergeNoCompare;
    void* const pContext = callbacks.pContext;
    // Entries already dealt with; the remove callbacks may be absent, and then they stay in the lists.
    std::unordered_set<void*> doneA;
    std::unordered_set<void*> doneB;
    const auto nextA = [&](void* p) {
        do
            p = callbacks.pfnNextA(p, pContext);
        while (p != nullptr && doneA.count(p) != 0);
        return p;
    };
    const auto nextB = [&](void* p) {
        do
            p = callbacks.pfnNextB(p, pContext);
        while (p != nullptr && doneB.count(p) != 0);
        return p;
    };
    const auto removeA = [&](void* p) {
        if (callbacks.pfnRemoveA)
            callbacks.pfnRemoveA(p, pContext);
        doneA.insert(p);
    };
    const auto removeB = [&](void* p) {
        if (callbacks.pfnRemoveB)
            callbacks.pfnRemoveB(p, pContext);
        doneB.insert(p);
    };

    for (void* pA = nextA(nullptr); pA != nullptr; pA = nextA(nullptr)) {
        void* pMatch = nullptr;
        for (void* pB = nextB(nullptr); pB != nullptr && pMatch == nullptr; pB = nextB(pB)) {
            const int nResult = callbacks.pfnCompare(pA, pB, pContext);
            if (nResult == ListMergeCallbacks::compareChanged) {
                if (callbacks.pfnChanged && !callbacks.pfnChanged(pA, pB, pContext))
                    return mergeStopped;
                // Updated, the entry is this B entry's match. Comparing it again would let two B
                // entries of the same object but different data change it back and forth for ever.
                pMatch = pB;
            } else if (nResult == ListMergeCallbacks::compareMatch) {
                pMatch = pB;
            }
        }
        if (pMatch != nullptr) {
            // Later entries of A that stand for the same B entry are left as they are.
            for (void* pLater = nextA(pA); pLater != nullptr;) {
                void* const pNext = nextA(pLater);
                if (callbacks.pfnCompare(pLater, pMatch, pContext) == ListMergeCallbacks::compareMatch)
                    removeA(pLater);
                pLater = pNext;
            }
            removeA(pA);
            removeB(pMatch);
            continue;
        }
        if (callbacks.pfnOnlyInA && !callbacks.pfnOnlyInA(pA, pContext))
            return mergeStopped;
        removeA(pA);
    }
    for (void* pB = nextB(nullptr); pB != nullptr; pB = nextB(pB))
        if (callbacks.pfnOnlyInB && !callbacks.pfnOnlyInB(pB, pContext))
            return mergeStopped;
    return mergeCompleted;
}
