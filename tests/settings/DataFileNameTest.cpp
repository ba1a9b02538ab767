#include "app/DataFileName.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sys/wait.h>

#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

#include "app/CastFiles.h"
#include "app/NewDataFile.h"
#include "data/FileReplacement.h"
#include "data/MeasDataSet.h"
#include "link/ProgressDialog.h"
#include "tests/data_model/ReplyBuilder.h"
#include "tests/settings/AsPlainUser.h"
#include "tests/settings/NonRegularFiles.h"
#include "tests/settings/TempDir.h"

namespace kelp {
namespace {

std::string NameFor(std::string site, const char* time) {
    test::ReplyFields fields;
    site.resize(20, ' ');
    fields.site = site;
    fields.time = time;
    CMeasDataSet data;
    data.AddMemoryRecord(test::MemoryReply(fields));
    return ProposedFileName(data);
}

TEST(ProposedFileName, SiteAndFirstRecordTimeMakeTheName) {
    EXPECT_EQ(NameFor("KELP BAY ST.01", "260615080012"), "KELP BAY ST.01_20260615-0800.csv");
    // Shift JIS site names become UTF-8 file names.
    EXPECT_EQ(NameFor("\xB7\xDD\xBA\xB3 \x90\x85", "260615080012"), "ｷﾝｺｳ 水_20260615-0800.csv");
    // A site that names a folder or a device stays one plain file name.
    EXPECT_EQ(NameFor("../ST:1/*", "260615080012"), "_._ST_1___20260615-0800.csv");
    EXPECT_EQ(NameFor("", "260615080012"), "20260615-0800.csv");
    EXPECT_EQ(ProposedFileName(CMeasDataSet{}), "");
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::size_t Entries(const std::string& folder) {
    const std::filesystem::directory_iterator entries(folder);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

// What a save of the whole data set writes.
std::string Saved(CMeasDataSet& data) {
    std::string bytes = data.FormatHeaderLines();
    for (int r = 0; r < data.GetCount(); ++r) {
        bytes += data.FormatRecordLine(r);
    }
    return bytes;
}

TEST(SaveNewDataFile, NeverReplacesNorFollowsWhatIsAtANameAndTakesTheNextNumber) {
    test::TempDir dir;
    test::ReplyFields fields;
    fields.site = "KELP BAY ST.01      ";
    fields.time = "260615080012";
    CMeasDataSet data;
    data.AddMemoryRecord(test::MemoryReply(fields));
    data.AddMemoryRecord(test::MemoryReply(fields));
    const std::string stem = dir.File("KELP BAY ST.01_20260615-0800");
    Write(stem + ".csv", "mine");
    ASSERT_EQ(::mkdir((stem + "-2.csv").c_str(), 0700), 0);
    ASSERT_EQ(::symlink(dir.File("absent.csv").c_str(), (stem + "-3.csv").c_str()), 0);
    const test::NonRegularFiles special(stem + "-4.csv");
    ASSERT_TRUE(special.Ok());

    std::string path;
    FileFailure failure;
    ASSERT_TRUE(SaveNewDataFile(dir.Path(), data, path, failure));
    EXPECT_EQ(path, stem + "-5.csv");
    EXPECT_EQ(Read(path), Saved(data));
    EXPECT_EQ(Read(stem + ".csv"), "mine");
    EXPECT_FALSE(std::filesystem::exists(dir.File("absent.csv")));
    EXPECT_EQ(Entries(dir.Path()), 7u) << "a temporary file was left";
}

TEST(SaveNewDataFile, ANameTakenMeanwhileCostsANumberAndAFolderThatTakesNoFileFails) {
    test::TempDir dir;
    CFileReplacement file;
    ASSERT_TRUE(file.Begin(dir.File("a.csv")));
    ASSERT_EQ(::write(file.Fd(), "new", 3), 3);
    Write(dir.File("a.csv"), "other");
    EXPECT_FALSE(file.CommitNew(dir.File("a.csv")));
    EXPECT_EQ(file.Failure().error, EEXIST);
    ASSERT_TRUE(file.CommitNew(dir.File("a-2.csv")));
    EXPECT_EQ(Read(dir.File("a.csv")), "other");
    EXPECT_EQ(Read(dir.File("a-2.csv")), "new");
    EXPECT_EQ(Entries(dir.Path()), 2u);

    CMeasDataSet data;
    data.AddMemoryRecord(test::MemoryReply());
    std::string path;
    FileFailure failure;
    EXPECT_FALSE(SaveNewDataFile(dir.File("missing"), data, path, failure));
    EXPECT_EQ(failure.problem, FileProblem::NoFolder);
    const std::string locked = dir.File("locked");
    ASSERT_EQ(::mkdir(locked.c_str(), 0555), 0);
    const test::AsPlainUser plain;
    if (plain.Active()) {
        EXPECT_FALSE(SaveNewDataFile(locked, data, path, failure));
        EXPECT_EQ(failure.problem, FileProblem::NoPermission);
        EXPECT_EQ(Entries(locked), 0u);
    }
}

// A progress dialog whose process dies the moment the save's file is
// complete, before the caller renames it into place: a kill between the two.
class DyingDialog final : public IProgressDialog, private IMessageTarget {
  public:
    void SetTotal(int) override {}
    void SetTitleId(int) override {}
    void SetCancelEvent(CEvent*) override {}
    bool IsWindowCreated() const override { return true; }
    IMessageTarget& Target() override { return *this; }
    int DoModal() override {
        std::unique_lock lock(mutex_);
        ended_.wait(lock, [this] { return ended; });
        ::_exit(0);
    }

  private:
    void Post(AppMessage message) override {
        const std::lock_guard lock(mutex_);
        ended = ended || (message.message == WM_APP_PROGRESS && message.wParam <= PROGRESS_FAILED);
        ended_.notify_all();
    }
    void Send(AppMessage message) override { Post(std::move(message)); }

    std::mutex mutex_;
    std::condition_variable ended_;
    bool ended = false;
};

TEST(SaveNewDataFile, WhatAKilledSaveLeftIsRemovedByTheNextSave) {
    test::TempDir dir;
    CMeasDataSet data;
    data.AddMemoryRecord(test::MemoryReply());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DyingDialog dialog;
        (void)SaveNewDataFile(dir.File("a.csv"), data, dialog, "saved");
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(Entries(dir.Path()), 1u) << "the killed save left its complete file unnamed";
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.csv")));

    CFileReplacement next;
    ASSERT_TRUE(next.Begin(dir.File("b.csv")));
    next.Abandon();
    EXPECT_EQ(Entries(dir.Path()), 0u) << "a later save into the folder removes it";
}

}  // namespace
}  // namespace kelp
