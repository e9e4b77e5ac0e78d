#pragma once
// A merge of two lists driven by callbacks: the entries of list A (what is there) are matched against
// those of list B (what should be there). Matches are left alone, entries of A found changed in B are
// updated, and what is only in one list is handed to the callbacks that delete or insert it.

#include "platform/base/WinTypes.h"

struct ListMergeCallbacks {
    // The first entry for null, else the entry after the position; null at the end.
    void* (*pfnNextA)(void* pPosition, void* pContext) { nullptr };
    void* (*pfnNextB)(void* pPosition, void* pContext) { nullptr };
    // compareMatch, compareChanged (the same object with changed data), anything else: they differ.
    int (*pfnCompare)(void* pA, void* pB, void* pContext) { nullptr };
    void (*pfnRemoveA)(void* pA, void* pContext) { nullptr };
    void (*pfnRemoveB)(void* pB, void* pContext) { nullptr };
    BOOL (*pfnOnlyInA)(void* pA, void* pContext) { nullptr };
    BOOL (*pfnOnlyInB)(void* pB, void* pContext) { nullptr };
    BOOL (*pfnChanged)(void* pA, void* pB, void* pContext) { nullptr };
    BYTE options[2] {};
    void* pContext { nullptr };

    static constexpr int compareMatch = 0;
    static constexpr int compareChanged = 2;
};

// What MergeLists gives back.
enum ListMergeResult { mergeCompleted = 0, mergeNoCompare = 1, mergeStopped = 2 };

ListMergeResult MergeLists(const ListMergeCallbacks& callbacks);
