// Uploads and downloads of the device client: where files go, what the device is told, and how
// the end of a transfer is reported.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "sync/DeviceClient.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/ScriptedLink.h"

using sync_test::ScriptedLink;

namespace {

constexpr DWORD kCancelBit = 0x80000000u;

struct TransferSetup {
    TransferSetup()
    {
        DeviceClient::ResetState();
        DeviceClient::ReplyFlags().clear();
        auto owned = std::make_unique<ScriptedLink>();
        link = owned.get();
        client = std::make_unique<DeviceClient>(std::move(owned));
    }
    ~TransferSetup() { DeviceClient::ResetState(); }

    static void MakeFile(const std::filesystem::path& path, std::size_t size)
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    }

    // Uploads a cover, which needs no answer from the device.
    HRESULT UploadCover(const std::string& localPath = "Music\\Covers\\a.jpg", const std::u16string& root = u"")
    {
        std::string name;
        const HRESULT hr = client->UploadFile({}, localPath, root, name, &percent, &status, 0, true);
        deviceName = name;
        return hr;
    }

    sync_test::ComApartment apartment;
    ScriptedLink* link { nullptr };
    std::unique_ptr<DeviceClient> client;
    WORD percent { 77 };
    DWORD status { 0 };
    std::string deviceName;
};

} // namespace

TEST(DeviceClientUpload, ACoverGoesUnderTheDatabaseFolderWithoutAFileCheckAndIsUnreservedWhenDone)
{
    TransferSetup setup;
    TransferSetup::MakeFile("Music/Covers/a.jpg", 10);
    ASSERT_EQ(setup.UploadCover(), S_OK);
    EXPECT_EQ(setup.deviceName, "7.0.5/Database/Music/Covers/a.jpg");
    EXPECT_EQ(setup.percent, 0);
    EXPECT_TRUE(setup.link->SentNamed("File.check").empty());
    ASSERT_EQ(setup.link->transfers.size(), 1u);
    EXPECT_EQ(setup.link->transfers[0].peer, "System");
    EXPECT_EQ(setup.link->transfers[0].destination, "7.0.5/Database/Music/Covers/a.jpg");
    EXPECT_EQ(setup.client->TransferStatus(), 0);

    setup.link->listener->OnTransferComplete(setup.link->nextTransferId, 0);
    const auto unreserve = setup.link->SentNamed("File.unreserve");
    ASSERT_EQ(unreserve.size(), 1u);
    EXPECT_EQ(unreserve[0].PathValue(), "System");
    EXPECT_TRUE(unreserve[0].Has("spaceID"));
    EXPECT_EQ(unreserve[0].GetString("spaceID", "?"), "");
    EXPECT_EQ(setup.client->TransferStatus(), 1);
}

TEST(DeviceClientUpload, APathThatNamesNoFileIsTakenRelativeToTheRootFolder)
{
    TransferSetup setup;
    TransferSetup::MakeFile("root/Covers/b.jpg", 3);
    ASSERT_EQ(setup.UploadCover("Music\\Covers\\b.jpg", u"root"), S_OK);
    ASSERT_EQ(setup.link->transfers.size(), 1u);
    EXPECT_EQ(std::filesystem::path(setup.link->transfers[0].source),
        std::filesystem::current_path() / "root" / "Covers" / "b.jpg");
    // The device's name keeps the path as the library gave it.
    EXPECT_EQ(setup.deviceName, "7.0.5/Database/Music/Covers/b.jpg");
}

TEST(DeviceClientUpload, AFileThatCannotBeReadIsRefusedBeforeAnythingIsSent)
{
    TransferSetup setup;
    std::filesystem::create_directories("Music/Covers/folder.jpg");
    for (const char* path : { "Music\\Covers\\missing.jpg", "Music\\Covers\\folder.jpg" }) {
        EXPECT_EQ(setup.UploadCover(path), E_INVALIDARG) << path;
        EXPECT_TRUE(setup.deviceName.empty());
    }
    EXPECT_TRUE(setup.link->transfers.empty());
    EXPECT_TRUE(setup.link->sent.empty());
}

TEST(DeviceClientUpload, ATransferThatCannotStartFailsAtOnceInsteadOfLeavingItsWaiterWaiting)
{
    TransferSetup setup;
    TransferSetup::MakeFile("Music/Covers/a.jpg", 10);
    setup.link->nextTransferId = 0;
    EXPECT_EQ(setup.UploadCover(), E_FAIL);
    EXPECT_EQ(setup.client->TransferStatus(), -1);
}

TEST(DeviceClientUpload, OnlyATransferThatClosedWithoutErrorCountsAsDelivered)
{
    const struct {
        int closeStatus;
        LONG transferStatus;
    } cases[] = { { 0, 1 }, { 8223, -1 }, { 8306, -1 } };
    for (const auto& c : cases) {
        TransferSetup setup;
        TransferSetup::MakeFile("Music/Covers/a.jpg", 10);
        ASSERT_EQ(setup.UploadCover(), S_OK);
        setup.link->listener->OnTransferComplete(setup.link->nextTransferId, c.closeStatus);
        EXPECT_EQ(setup.client->TransferStatus(), c.transferStatus) << c.closeStatus;
        // The device's reservation is given back either way.
        EXPECT_EQ(setup.link->SentNamed("File.unreserve").size(), 1u);
    }
}

TEST(DeviceClientUpload, ProgressFollowsTheUploadAndACancelStopsItButOtherTransfersAreLeftAlone)
{
    TransferSetup setup;
    TransferSetup::MakeFile("Music/Covers/a.jpg", 1000);
    ASSERT_EQ(setup.UploadCover(), S_OK);
    const DeviceClientProgress progress = setup.link->progress;
    ASSERT_NE(progress, nullptr);
    const int id = setup.link->nextTransferId;

    EXPECT_TRUE(progress(id, 500));
    EXPECT_EQ(setup.percent, 50);
    EXPECT_TRUE(progress(id, 5000)); // a position past the end counts as the whole file
    EXPECT_EQ(setup.percent, 100);

    // A download's packets are not the upload's.
    setup.status = kCancelBit;
    EXPECT_TRUE(progress(id + 1, 10));
    EXPECT_EQ(setup.percent, 100);

    EXPECT_FALSE(progress(id, 100));
    EXPECT_EQ(setup.percent, 10);

    // Once the upload closed, its words are no longer touched.
    setup.link->listener->OnTransferComplete(id, 0);
    EXPECT_TRUE(progress(id, 900));
    EXPECT_EQ(setup.percent, 10);
}

TEST(DeviceClientUpload, AFailedUploadLeavesTheCallbackHarmless)
{
    TransferSetup setup;
    TransferSetup::MakeFile("Music/Covers/a.jpg", 1000);
    ASSERT_EQ(setup.UploadCover(), S_OK);
    const DeviceClientProgress progress = setup.link->progress;
    const int id = setup.link->nextTransferId;
    setup.link->nextTransferId = 0;
    EXPECT_EQ(setup.UploadCover(), E_FAIL);
    // The failed upload forgot its words: nothing is written and nothing is stopped.
    setup.status = kCancelBit;
    EXPECT_TRUE(progress(id, 10));
    EXPECT_TRUE(progress(0, 10));
    EXPECT_EQ(setup.percent, 0);
}

TEST(DeviceClientUpload, ARepeatedFileReplyKeepsTheRunningTransfersEnd)
{
    TransferSetup setup;
    TransferSetup::MakeFile("Music/Covers/a.jpg", 10);
    ASSERT_EQ(setup.UploadCover(), S_OK);
    const std::int32_t id = DeviceClient::FileReplies().begin()->first;
    setup.link->Dispatch(ScriptedLink::Reply(
        "File.reply", { { "id", std::to_string(id) }, { "filename", "again" }, { "spaceID", "s2" } }));
    setup.link->listener->OnTransferComplete(setup.link->nextTransferId, 0);
    EXPECT_EQ(setup.client->TransferStatus(), 1);
    const auto unreserve = setup.link->SentNamed("File.unreserve");
    ASSERT_EQ(unreserve.size(), 1u);
    EXPECT_EQ(unreserve[0].GetString("spaceID"), "s2");
}

TEST(DeviceClientUpload, AFileReplyNobodyWaitsForIsKeptUntilTheStateIsReset)
{
    TransferSetup setup;
    setup.link->Dispatch(ScriptedLink::Reply("File.reply", { { "id", "41" }, { "filename", "f" }, { "spaceID", "s" } }));
    setup.client->Initialize();
    setup.link->Dispatch(ScriptedLink::Reply("File.reply", { { "id", "41" }, { "filename", "f" }, { "spaceID", "s" } }));
    ASSERT_EQ(DeviceClient::FileReplies().count(41), 1u);
    EXPECT_EQ(DeviceClient::FileReplies()[41]->fileName, "f");
    EXPECT_EQ(DeviceClient::FileReplies()[41]->spaceID, "s");
    DeviceClient::ResetState();
    EXPECT_TRUE(DeviceClient::FileReplies().empty());
}

TEST(DeviceClientUpload, ARefusedUploadLeavesNothingThatALaterTransferOnTheSameIdWouldMatch)
{
    TransferSetup setup;
    TransferSetup::MakeFile("Music/Covers/a.jpg", 10);
    ASSERT_EQ(setup.UploadCover(), S_OK);
    const int id = setup.link->nextTransferId;
    setup.link->Dispatch(ScriptedLink::Reply("File.open.nack", { { "localID", std::to_string(id) } }));
    EXPECT_EQ(setup.client->TransferStatus(), -1);

    // The next upload gets the same local id; its end gives back only its own reservation.
    ASSERT_EQ(setup.UploadCover(), S_OK);
    setup.link->listener->OnTransferComplete(id, 0);
    EXPECT_EQ(setup.client->TransferStatus(), 1);
    EXPECT_EQ(setup.link->SentNamed("File.unreserve").size(), 1u);
}

TEST(DeviceClientDownload, TheFetchEndsWithItsCloseOrAtOnceWhenItCannotStart)
{
    {
        TransferSetup setup;
        EXPECT_EQ(setup.client->OpenFileTransfer("7.0.5/Database/x.jpg", "x.jpg", true), S_OK);
        EXPECT_EQ(setup.link->transfers[0].source, "7.0.5/Database/x.jpg");
        EXPECT_EQ(setup.client->CurrentTransferId(), setup.link->nextTransferId);
        EXPECT_EQ(setup.client->TransferStatus(), 0);
        setup.link->listener->OnTransferComplete(setup.link->nextTransferId, 0);
        EXPECT_EQ(setup.client->TransferStatus(), 1);
        EXPECT_EQ(setup.client->CurrentTransferId(), 0);
        // A download sends no unreserve.
        EXPECT_TRUE(setup.link->SentNamed("File.unreserve").empty());
    }
    {
        TransferSetup setup;
        setup.link->nextTransferId = 0;
        EXPECT_EQ(setup.client->OpenFileTransfer("7.0.5/Database/x.jpg", "x.jpg", true), S_OK);
        EXPECT_EQ(setup.client->TransferStatus(), -1);
    }
}

TEST(DeviceClientDownload, ARefusedOpenOrAnExhaustedRetryFailsTheTransfer)
{
    TransferSetup setup;
    setup.client->Initialize();
    setup.client->OpenFileTransfer("a", "a", true);
    EXPECT_TRUE(setup.link->Dispatch(ScriptedLink::Reply("File.open.nack", { { "localID", "7" } })));
    EXPECT_EQ(setup.client->TransferStatus(), -1);
    // The refused transfer's local file is closed and forgotten.
    EXPECT_EQ(setup.link->closed, std::vector<int> { 7 });

    setup.client->OpenFileTransfer("a", "a", true);
    EXPECT_TRUE(setup.link->Dispatch(ScriptedLink::Reply("File.retry", { { "id", "7" } })));
    EXPECT_EQ(setup.client->TransferStatus(), 0);
    setup.link->retrySucceeds = false;
    EXPECT_FALSE(setup.link->Dispatch(ScriptedLink::Reply("File.retry", { { "id", "7" } })));
    EXPECT_EQ(setup.client->TransferStatus(), -1);
}
