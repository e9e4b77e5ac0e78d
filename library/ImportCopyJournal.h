#pragma once
// The copies an import batch made in the library's music folder for tracks it has not committed yet,
// written down beside the database before each copy is made. A batch that ends normally has committed
// or deleted them all and clears the list; after a crash, the next batch deletes the listed copies
// that no track of the library names.

#include "platform/afx/CString.h"

class ImportCopyJournal {
public:
    // Adds the copy about to be made.
    static void Note(const CString& copy);
    // Forgets every listed copy.
    static void Clear();
    // Deletes the listed copies that no track names, then forgets the list; nothing without a list.
    static void Recover();
};
