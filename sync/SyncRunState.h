#pragma once
// The process-wide state of one synchronisation run, shared by every device object of the process:
// progress and its total, the cancel bit, the device's revision and maker mode, and the four maps that
// translate names into library keys. The worker thread moves the progress, the event thread reads it,
// the caller's thread resets the state and sets the cancel bit.

#include <map>
#include <mutex>
#include <string>

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

class SyncRunState {
public:
    // Name to library key; names compare byte-wise (case-sensitive).
    using IdMap = std::map<std::string, LONG>;

    // Bit 31 of the status word; the component sets no other bit.
    static constexpr DWORD kCancelBit = 0x80000000u;
    // The total after a reset and in place of a total below 1.
    static constexpr SHORT kDefaultStepTotal = 100;
    // Until the worker sets 100 %, the position stays at or below this share of the total.
    static constexpr int kStepCeilingPercent = 95;

    SyncRunState() = delete;

    // Clears progress, status (the cancel bit too), items counter, current-file percent and the maps;
    // the total becomes 100. OEM mode, device revision and the unique device name stay.
    static void Reset();

    static bool IsCancelled();
    // Sets the cancel bit (without a lock: a single bit of the status word).
    static void Cancel();
    // The percent (0..100); percent, current-file percent and status word read together.
    static SHORT GetProgress(SHORT& percent, SHORT& filePercent, DWORD& status);
    // Moves the position to p % of the total (the whole total from 100 on).
    static void SetPercent(int percent);
    // Counts n items: false when cancelled (nothing changes); otherwise the position moves, but not
    // past 95 % of the total.
    static bool Step(int n);
    // The progress total; values below 1 give 100, values beyond the 16-bit range are held at its top.
    static void SetStepTotal(LONG total);
    static SHORT GetStepTotal();
    static SHORT GetStepCount();

    // The words that the device client's upload writes while a file moves.
    static DWORD* StatusWord();
    static WORD* CurrentFilePercentWord();

    // Playlist entries met in the device's album list in this run.
    static void CountPlaylistItem();
    static DWORD ItemCount();

    // 1, 2, 3, 9 or 0, chosen by the maker's name.
    static void SetOemMode(SHORT mode);
    static SHORT OemMode();
    // 0 or 2; chooses the forms of the documents sent to the device.
    static void SetDeviceRevision(SHORT revision);
    static SHORT DeviceRevision();
    // The opened device's "udn", which device URLs carry.
    static void SetUniqueDeviceName(const std::string& udn);
    static std::string UniqueDeviceName();

    // The two genre maps, for AddGenre.
    static IdMap& MusicGenres();
    static IdMap& RadioGenres();
    // Sets the key of a name (replacing an earlier one); E_INVALIDARG for an empty name.
    static HRESULT AddGenre(IdMap& map, const std::string& name, LONG key);
    static HRESULT AddMusicGroup(const std::string& name, LONG key);
    static HRESULT AddRadioGroup(const std::string& name, LONG key);
    // The key stored for a name, or -1.
    static LONG FindMusicGroupId(const std::string& name);
    static LONG FindRadioGroupId(const std::string& name);
    static LONG FindGenreId(const std::string& name);
    static LONG FindRadioGenreId(const std::string& name);

    // Held for the whole of one detail query, so that only one runs in the process at a time.
    static std::mutex& DetailDocumentLock();
};
