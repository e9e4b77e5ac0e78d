#include "library/LibraryFileSwap.h"

#include "platform/base/FileApi.h"

namespace {

bool Exists(LPCTSTR path) { return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

void Reach(const std::function<void(LibrarySwapStep)>& reached, LibrarySwapStep step)
{
    if (reached)
        reached(step);
}

} // namespace

CString LibraryBackupPath(LPCTSTR livePath)
{
    const CString live(livePath);
    const int separator = live.ReverseFind('\\');
    return live.Left(separator + 1) + "BackupDB.mdb";
}

bool ReplaceLibraryFile(LPCTSTR livePath, LPCTSTR rebuiltPath, const std::function<void(LibrarySwapStep)>& reached)
{
    const CString backup = LibraryBackupPath(livePath);
    Reach(reached, LibrarySwapStep::Started);
    // A backup left by an interrupted swap is older than the live file, which was never missing.
    if (Exists(backup) && !DeleteFile(backup)) {
        DeleteFile(rebuiltPath);
        return false;
    }
    // A copy rather than a rename: the live file stays in place until the rebuilt one replaces it.
    bool swapped = Exists(rebuiltPath) && CopyFile(livePath, backup, TRUE);
    if (swapped) {
        // The copy takes the live file's attributes; a read-only backup could not be dropped.
        SetFileAttributes(backup, FILE_ATTRIBUTE_NORMAL);
        Reach(reached, LibrarySwapStep::BackupMade);
        swapped = MoveFileEx(rebuiltPath, livePath, MOVEFILE_REPLACE_EXISTING);
    }
    if (!swapped) {
        if (!Exists(livePath) && Exists(backup))
            MoveFileEx(backup, livePath, 0);
        DeleteFile(backup);
        DeleteFile(rebuiltPath);
        return false;
    }
    Reach(reached, LibrarySwapStep::RebuiltInPlace);
    DeleteFile(backup);
    Reach(reached, LibrarySwapStep::BackupDropped);
    return true;
}
