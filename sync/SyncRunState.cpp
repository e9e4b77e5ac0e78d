// The run state's storage and arithmetic.

#include "sync/SyncRunState.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace {

constexpr int kShortMax = std::numeric_limits<SHORT>::max();

struct Progress {
    std::mutex lock;
    // Held in int and kept within the 16-bit range: a long run saturates instead of wrapping.
    int position { 0 };
    int total { SyncRunState::kDefaultStepTotal };
    int stepCount { 0 };
    // Written by the device client's upload through the pointers below; read here through atomic_ref.
    alignas(std::atomic_ref<DWORD>::required_alignment) DWORD status { 0 };
    alignas(std::atomic_ref<WORD>::required_alignment) WORD filePercent { 0 };
};

struct Identity {
    std::mutex lock;
    std::string uniqueDeviceName;
};

struct Maps {
    std::mutex lock;
    SyncRunState::IdMap musicGroups;
    SyncRunState::IdMap radioGroups;
    SyncRunState::IdMap musicGenres;
    SyncRunState::IdMap radioGenres;
};

Progress& TheProgress()
{
    static Progress progress;
    return progress;
}

Identity& TheIdentity()
{
    static Identity identity;
    return identity;
}

Maps& TheMaps()
{
    static Maps maps;
    return maps;
}

std::atomic<DWORD> g_items { 0 };
std::atomic<SHORT> g_oemMode { 0 };
std::atomic<SHORT> g_deviceRevision { 0 };

std::atomic_ref<DWORD> Status() { return std::atomic_ref<DWORD>(TheProgress().status); }
std::atomic_ref<WORD> FilePercent() { return std::atomic_ref<WORD>(TheProgress().filePercent); }

HRESULT SetKey(SyncRunState::IdMap& map, const std::string& name, LONG key)
{
    if (name.empty())
        return E_INVALIDARG;
    std::lock_guard guard(TheMaps().lock);
    map[name] = key;
    return S_OK;
}

LONG FindKey(const SyncRunState::IdMap& map, const std::string& name)
{
    std::lock_guard guard(TheMaps().lock);
    const auto found = map.find(name);
    return found == map.end() ? -1 : found->second;
}

} // namespace

void SyncRunState::Reset()
{
    {
        Progress& progress = TheProgress();
        std::lock_guard guard(progress.lock);
        FilePercent().store(0);
        progress.total = kDefaultStepTotal;
        progress.position = 0;
        progress.stepCount = 0;
        Status().store(0);
    }
    g_items = 0;
    {
        Maps& maps = TheMaps();
        std::lock_guard guard(maps.lock);
        maps.musicGroups.clear();
        maps.radioGroups.clear();
        maps.musicGenres.clear();
        maps.radioGenres.clear();
    }
    SetPercent(0);
}

bool SyncRunState::IsCancelled() { return (Status().load() & kCancelBit) != 0; }

void SyncRunState::Cancel() { Status().fetch_or(kCancelBit); }

SHORT SyncRunState::GetProgress(SHORT& percent, SHORT& filePercent, DWORD& status)
{
    Progress& progress = TheProgress();
    std::lock_guard guard(progress.lock);
    percent = static_cast<SHORT>(std::clamp(progress.position * 100 / progress.total, 0, 100));
    filePercent = static_cast<SHORT>(FilePercent().load());
    status = Status().load();
    return percent;
}

void SyncRunState::SetPercent(int percent)
{
    Progress& progress = TheProgress();
    std::lock_guard guard(progress.lock);
    progress.position = percent < 100 ? progress.total * percent / 100 : progress.total;
}

bool SyncRunState::Step(int n)
{
    if (IsCancelled())
        return false;
    Progress& progress = TheProgress();
    std::lock_guard guard(progress.lock);
    progress.position = std::clamp(progress.position + n, -kShortMax, kShortMax);
    progress.stepCount = std::clamp(progress.stepCount + n, -kShortMax, kShortMax);
    if (progress.position * 100 / progress.total > kStepCeilingPercent)
        progress.position = progress.total * kStepCeilingPercent / 100;
    return true;
}

void SyncRunState::SetStepTotal(LONG total)
{
    Progress& progress = TheProgress();
    std::lock_guard guard(progress.lock);
    progress.total = total < 1 ? kDefaultStepTotal : static_cast<int>(std::min<LONG>(total, kShortMax));
}

SHORT SyncRunState::GetStepTotal()
{
    Progress& progress = TheProgress();
    std::lock_guard guard(progress.lock);
    return static_cast<SHORT>(progress.total);
}

SHORT SyncRunState::GetStepCount()
{
    Progress& progress = TheProgress();
    std::lock_guard guard(progress.lock);
    return static_cast<SHORT>(progress.stepCount);
}

DWORD* SyncRunState::StatusWord() { return &TheProgress().status; }

WORD* SyncRunState::CurrentFilePercentWord() { return &TheProgress().filePercent; }

void SyncRunState::CountPlaylistItem() { ++g_items; }

DWORD SyncRunState::ItemCount() { return g_items; }

void SyncRunState::SetOemMode(SHORT mode) { g_oemMode = mode; }

SHORT SyncRunState::OemMode() { return g_oemMode; }

void SyncRunState::SetDeviceRevision(SHORT revision) { g_deviceRevision = revision; }

SHORT SyncRunState::DeviceRevision() { return g_deviceRevision; }

void SyncRunState::SetUniqueDeviceName(const std::string& udn)
{
    std::lock_guard guard(TheIdentity().lock);
    TheIdentity().uniqueDeviceName = udn;
}

std::string SyncRunState::UniqueDeviceName()
{
    std::lock_guard guard(TheIdentity().lock);
    return TheIdentity().uniqueDeviceName;
}

SyncRunState::IdMap& SyncRunState::MusicGenres() { return TheMaps().musicGenres; }

SyncRunState::IdMap& SyncRunState::RadioGenres() { return TheMaps().radioGenres; }

HRESULT SyncRunState::AddGenre(IdMap& map, const std::string& name, LONG key) { return SetKey(map, name, key); }

HRESULT SyncRunState::AddMusicGroup(const std::string& name, LONG key) { return SetKey(TheMaps().musicGroups, name, key); }

HRESULT SyncRunState::AddRadioGroup(const std::string& name, LONG key) { return SetKey(TheMaps().radioGroups, name, key); }

LONG SyncRunState::FindMusicGroupId(const std::string& name) { return FindKey(TheMaps().musicGroups, name); }

LONG SyncRunState::FindRadioGroupId(const std::string& name) { return FindKey(TheMaps().radioGroups, name); }

LONG SyncRunState::FindGenreId(const std::string& name) { return FindKey(TheMaps().musicGenres, name); }

LONG SyncRunState::FindRadioGenreId(const std::string& name) { return FindKey(TheMaps().radioGenres, name); }

std::mutex& SyncRunState::DetailDocumentLock()
{
    static std::mutex lock;
    return lock;
}
