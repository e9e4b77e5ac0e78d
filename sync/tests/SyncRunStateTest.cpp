// Progress arithmetic, cancelling and the name-to-key maps of the run state.

#include <gtest/gtest.h>

#include "sync/SyncRunState.h"

namespace {

SHORT Percent()
{
    SHORT percent = 0;
    SHORT file = 0;
    DWORD status = 0;
    return SyncRunState::GetProgress(percent, file, status);
}

class SyncRunStateTest : public ::testing::Test {
protected:
    void SetUp() override { SyncRunState::Reset(); }
};

} // namespace

TEST_F(SyncRunStateTest, ProgressStaysAtOrBelowNinetyFivePercentUntilTheEnd)
{
    for (int i = 0; i < 96; ++i)
        ASSERT_TRUE(SyncRunState::Step(1));
    EXPECT_EQ(Percent(), 95);
    EXPECT_EQ(SyncRunState::GetStepCount(), 96);
    SyncRunState::SetPercent(100);
    EXPECT_EQ(Percent(), 100);

    SyncRunState::Reset();
    SyncRunState::SetStepTotal(40);
    for (int i = 0; i < 39; ++i)
        SyncRunState::Step(1);
    EXPECT_EQ(Percent(), 95); // position 38 of 40
    SyncRunState::SetPercent(50);
    EXPECT_EQ(Percent(), 50);
}

TEST_F(SyncRunStateTest, TotalsBelowOneBecomeAHundredAndLargeOnesDoNotWrap)
{
    for (LONG total : { 0, -3 }) {
        SyncRunState::SetStepTotal(total);
        EXPECT_EQ(SyncRunState::GetStepTotal(), 100) << total;
    }
    // More pending changes than a 16-bit total holds: the total is held at its top, not wrapped negative.
    SyncRunState::SetStepTotal(40000);
    EXPECT_EQ(SyncRunState::GetStepTotal(), 32767);
    SyncRunState::Step(32767);
    SyncRunState::Step(10);
    EXPECT_EQ(SyncRunState::GetStepCount(), 32767);
    EXPECT_EQ(Percent(), 95);
}

TEST_F(SyncRunStateTest, CancelStopsStepsUntilTheNextReset)
{
    SyncRunState::Step(3);
    SyncRunState::Cancel();
    EXPECT_TRUE(SyncRunState::IsCancelled());
    EXPECT_FALSE(SyncRunState::Step(1));
    EXPECT_EQ(SyncRunState::GetStepCount(), 3);

    SHORT percent = 0;
    SHORT file = 0;
    DWORD status = 0;
    SyncRunState::GetProgress(percent, file, status);
    EXPECT_EQ(status, SyncRunState::kCancelBit);
    EXPECT_EQ(percent, 3);

    *SyncRunState::CurrentFilePercentWord() = 40;
    SyncRunState::CountPlaylistItem();
    SyncRunState::SetDeviceRevision(2);
    SyncRunState::Reset();
    EXPECT_FALSE(SyncRunState::IsCancelled());
    EXPECT_EQ(SyncRunState::GetStepCount(), 0);
    EXPECT_EQ(SyncRunState::ItemCount(), 0u);
    SyncRunState::GetProgress(percent, file, status);
    EXPECT_EQ(file, 0);
    EXPECT_EQ(SyncRunState::DeviceRevision(), 2); // not part of a run's reset
}

TEST_F(SyncRunStateTest, MapsHoldOneKeyPerNameAndCompareCase)
{
    EXPECT_EQ(SyncRunState::AddMusicGroup("", 5), E_INVALIDARG);
    EXPECT_EQ(SyncRunState::FindMusicGroupId(""), -1);

    EXPECT_EQ(SyncRunState::AddMusicGroup("Jazz", 5), S_OK);
    EXPECT_EQ(SyncRunState::AddMusicGroup("Jazz", 9), S_OK);
    EXPECT_EQ(SyncRunState::FindMusicGroupId("Jazz"), 9);
    EXPECT_EQ(SyncRunState::FindMusicGroupId("jazz"), -1);
    EXPECT_EQ(SyncRunState::FindRadioGroupId("Jazz"), -1);

    SyncRunState::AddRadioGroup("Talk", 3);
    SyncRunState::AddGenre(SyncRunState::MusicGenres(), "Rock", 7);
    SyncRunState::AddGenre(SyncRunState::RadioGenres(), "News", 8);
    EXPECT_EQ(SyncRunState::FindRadioGroupId("Talk"), 3);
    EXPECT_EQ(SyncRunState::FindGenreId("Rock"), 7);
    EXPECT_EQ(SyncRunState::FindRadioGenreId("News"), 8);
    EXPECT_EQ(SyncRunState::FindGenreId("News"), -1);

    SyncRunState::Reset();
    EXPECT_EQ(SyncRunState::FindMusicGroupId("Jazz"), -1);
    EXPECT_EQ(SyncRunState::FindRadioGenreId("News"), -1);
}
