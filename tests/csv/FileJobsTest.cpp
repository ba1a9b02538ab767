#include "data/FileJobs.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "data/FileReplacement.h"
#include "data/MeasDataSet.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "tests/csv/CsvTestUtil.h"
#include "tests/csv/QueueDialog.h"
#include "tests/csv/RecordGen.h"
#include "tests/settings/AsPlainUser.h"
#include "tests/settings/NonRegularFiles.h"

namespace kelp {
namespace {

// A valid record line numbered n (the number is not read back).
std::string RecordLine(int n) {
    std::string line = "\"" + std::to_string(n) + "\",\"S\",\"\",\"\",\"-- -- -- -\",\"--- -- -- -\",\"\"";
    for (int s = 0; s < 13; ++s) {
        line += ",\"" + std::to_string(n % 100) + ".5\",\"\",\"\"";
    }
    line +=
        ",\"12.0V\",\"P30\",\"D260102\",\"T030405\",\"U0000000000000\",\"F1111111111111\",\"S1111111111111\","
        "\"A0000000000000\"\r\n";
    return line;
}

std::string DataFile(int announced, int lines) {
    std::string text = test::HeaderFor(announced);
    for (int i = 1; i <= lines; ++i) {
        text += RecordLine(i);
    }
    return text;
}

void Fill(CMeasDataSet& set, int records, unsigned seed = 11) {
    test::RecordGen gen(seed);
    for (int i = 0; i < records; ++i) {
        set.AddLiveRecord(gen.Live());
    }
}

// The bytes a save of `set` writes.
std::string Saved(CMeasDataSet& set) {
    std::string text = set.FormatHeaderLines();
    for (int r = 0; r < set.GetCount(); ++r) {
        text += set.FormatRecordLine(r);
    }
    return text;
}

class FileJobsTest : public ::testing::Test {
  protected:
    int Load(const std::string& bytes, CMeasDataSet& set) {
        test::WriteBytes(dir_.File("in.csv"), bytes);
        return LoadDataFile(dir_.File("in.csv"), set, dialog_);
    }

    test::ScratchDir dir_;
    test::QueueDialog dialog_;
};

// The dialog hears of the first line at once, of the last before the end,
// and in between no more often than a screen shows (about 60 times a
// second), never once per line.
TEST_F(FileJobsTest, LoadReportsItsProgressAndTitle) {
    CMeasDataSet set;
    ASSERT_EQ(Load(DataFile(3, 3), set), FILEJOB_OK);
    EXPECT_EQ(set.GetCount(), 3);
    EXPECT_EQ(dialog_.total(), 3);
    EXPECT_EQ(dialog_.titleId(), IDS_PROGRESS_LOADING);
    ASSERT_FALSE(dialog_.steps.empty());
    EXPECT_EQ(dialog_.steps.front(), 1);
    EXPECT_EQ(dialog_.steps.back(), 3);
    EXPECT_EQ(dialog_.finalValue, 3);
    EXPECT_FLOAT_EQ(set.GetValue(0, 2), 3.5f);

    test::QueueDialog many;
    test::WriteBytes(dir_.File("many.csv"), DataFile(5000, 5000));
    CMeasDataSet large;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(LoadDataFile(dir_.File("many.csv"), large, many), FILEJOB_OK);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(many.steps.back(), 5000);
    EXPECT_TRUE(std::is_sorted(many.steps.begin(), many.steps.end()));
    EXPECT_LE(many.steps.size(), 2u + static_cast<std::size_t>(elapsed / std::chrono::milliseconds(16)));
}

TEST_F(FileJobsTest, LoadStopsAtTheEndOfTheFileOrAnEmptyLine) {
    CMeasDataSet set;
    ASSERT_EQ(Load(DataFile(5, 3), set), FILEJOB_OK);
    EXPECT_EQ(set.GetCount(), 3);

    CMeasDataSet second;
    ASSERT_EQ(Load(DataFile(5, 2) + "\r\n" + RecordLine(3), second), FILEJOB_OK);
    EXPECT_EQ(second.GetCount(), 2);

    // N = 0 with a valid column line is an empty data set.
    CMeasDataSet empty;
    ASSERT_EQ(Load(DataFile(0, 2), empty), FILEJOB_OK);
    EXPECT_EQ(empty.GetCount(), 0);
}

// A data set takes at most its capacity; the loader says how many records
// the file holds beyond it (up to what line 1 announces), or reads them all
// a set at a time.
TEST_F(FileJobsTest, LoadTakesAtMostTheCapacityAndSaysWhatItLeft) {
    CMeasDataSet set;
    int inFile = -1;
    test::WriteBytes(dir_.File("long.csv"), DataFile(20000, 10050));
    ASSERT_EQ(LoadDataFile(dir_.File("long.csv"), set, dialog_, &inFile), FILEJOB_OK);
    EXPECT_EQ(set.GetCount(), 10000);
    EXPECT_EQ(dialog_.finalValue, 10000);
    EXPECT_EQ(inFile, 10050);

    // Lines beyond the announced count are no records; a file that fits
    // leaves nothing to say.
    test::WriteBytes(dir_.File("lines.csv"), DataFile(10020, 10050));
    set.Clear();
    ASSERT_EQ(LoadDataFile(dir_.File("lines.csv"), set, dialog_, &inFile), FILEJOB_OK);
    EXPECT_EQ(inFile, 10020);
    test::WriteBytes(dir_.File("fits.csv"), DataFile(20000, 10000));
    set.Clear();
    ASSERT_EQ(LoadDataFile(dir_.File("fits.csv"), set, dialog_, &inFile), FILEJOB_OK);
    EXPECT_EQ(inFile, 0);

    // Every record, each set handed on when full, the rest left in it.
    CMeasDataSet piece;
    ASSERT_TRUE(piece.Reserve(4010));
    std::vector<int> pieces;
    std::vector<float> firstValues;
    ASSERT_EQ(LoadAllRecords(dir_.File("long.csv"), piece, dialog_,
                             [&](CMeasDataSet& full) {
                                 pieces.push_back(full.GetCount());
                                 firstValues.push_back(static_cast<float>(full.GetValue(0, 0)));
                                 return true;
                             }),
              FILEJOB_OK);
    EXPECT_EQ(pieces, (std::vector<int>{4010, 4010}));
    EXPECT_EQ(piece.GetCount(), 2030);
    EXPECT_EQ(piece.GetElement(0), 10);
    EXPECT_EQ(firstValues, (std::vector<float>{1.5f, 11.5f}));         // records 1 and 4011
    EXPECT_FLOAT_EQ(static_cast<float>(piece.GetValue(0, 0)), 21.5f);  // record 8021
    EXPECT_EQ(dialog_.finalValue, 10050);
}

TEST_F(FileJobsTest, LoadAcceptsLfLineEndsAndAByteOrderMark) {
    std::string text = DataFile(2, 2);
    std::string lf;
    for (char c : text) {
        if (c != '\r') {
            lf += c;
        }
    }
    CMeasDataSet set;
    ASSERT_EQ(Load("\xEF\xBB\xBF" + lf, set), FILEJOB_OK);
    EXPECT_EQ(set.GetCount(), 2);
    EXPECT_EQ(set.GetBattery(1), "12.0");  // no CR left on the last field
}

TEST_F(FileJobsTest, NotOurFileFailsBeforeTheDialog) {
    for (const std::string& bytes :
         {std::string(), std::string("\r\n"), std::string("\"Kelp DataFile\",\"Version\",\"1\",\"1\"\r\n"),
          std::string("\"KelpPC DataFile\",\"Version\",\"1.00\",\"x\"\r\n"),
          std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)}) {
        CMeasDataSet set;
        EXPECT_EQ(Load(bytes, set), FILEJOB_OPEN_FAILED);
    }
    CMeasDataSet set;
    EXPECT_EQ(LoadDataFile(dir_.File("missing.csv"), set, dialog_), FILEJOB_OPEN_FAILED);
    EXPECT_EQ(LoadDataFile(dir_.Path(), set, dialog_), FILEJOB_OPEN_FAILED);
    EXPECT_EQ(dialog_.modalRuns, 0);
}

// A pipe, socket or device given as the file to open is refused at once:
// nothing is ever opened in a way that waits for a writer or a device.
TEST_F(FileJobsTest, PipesSocketsAndDevicesAreRefusedWithoutWaiting) {
    const test::NonRegularFiles nonRegular(dir_.File("pipe.csv"));
    ASSERT_TRUE(nonRegular.Ok());
    for (const auto& name : nonRegular.Paths()) {
        CMeasDataSet set;
        EXPECT_EQ(LoadDataFile(name, set, dialog_), FILEJOB_OPEN_FAILED) << name;
    }
    EXPECT_EQ(dialog_.modalRuns, 0);
}

TEST_F(FileJobsTest, FormatErrorsFailTheJobAndKeepEarlierRecords) {
    // A record line of 53 fields.
    std::string bad = RecordLine(3);
    bad = bad.substr(0, bad.rfind(",\"A")) + "\r\n";
    CMeasDataSet set;
    ASSERT_EQ(Load(DataFile(4, 2) + bad + RecordLine(4), set), FILEJOB_FAILED);
    EXPECT_EQ(set.GetCount(), 2);
    EXPECT_EQ(dialog_.finalValue, 2);

    // A missing or short column line.
    CMeasDataSet none;
    EXPECT_EQ(Load("\"KelpPC DataFile\",\"Version\",\"1.00\",\"1\"\r\n", none), FILEJOB_FAILED);
    EXPECT_EQ(dialog_.finalValue, 0);
    const std::string header = test::HeaderFor(1);
    CMeasDataSet shortHeader;
    // Line 2 without its last column.
    EXPECT_EQ(Load(header.substr(0, header.rfind(',')) + "\r\n" + RecordLine(1), shortHeader),
              FILEJOB_FAILED);
}

TEST_F(FileJobsTest, TruncatedFilesAtEveryLength) {
    const std::string full = DataFile(3, 3);
    const auto line2 = full.find("\r\n") + 2;
    const auto line3 = full.find("\r\n", line2) + 2;
    for (std::size_t cut = 0; cut < full.size(); cut += 3) {
        CMeasDataSet set;
        const int result = Load(full.substr(0, cut), set);
        SCOPED_TRACE("cut at " + std::to_string(cut));
        if (cut < line2 - 2) {
            EXPECT_EQ(result, FILEJOB_OPEN_FAILED);
        } else if (cut < line3) {
            // Titles are not read: a column line cut inside its last title
            // still has its 54 fields.
            const auto fields = test::Split(
                cut <= line2 ? std::string() : full.substr(line2, std::min(cut, line3 - 2) - line2));
            EXPECT_EQ(result, fields.size() >= 54 ? FILEJOB_OK : FILEJOB_FAILED);
        } else {
            // A record line survives the cut only at its start or once its
            // last field, the 14 characters after "A, is complete.
            const auto lineStart = full.rfind("\r\n", cut - 1) + 2;
            const auto lastField = full.find("\"A", lineStart) + 1;
            const bool whole = cut == lineStart || cut >= lastField + 14;
            EXPECT_EQ(result, whole ? FILEJOB_OK : FILEJOB_FAILED);
            const auto complete = std::count(full.begin() + static_cast<long>(line3),
                                             full.begin() + static_cast<long>(lineStart), '\n');
            EXPECT_EQ(set.GetCount(), static_cast<int>(complete) + (whole && cut != lineStart ? 1 : 0));
        }
    }
}

TEST_F(FileJobsTest, LongLinesAreRefusedNotHeld) {
    CMeasDataSet set;
    EXPECT_EQ(Load(test::HeaderFor(1) + std::string(1 << 20, 'x'), set), FILEJOB_FAILED);
}

TEST_F(FileJobsTest, CancelledLoadKeepsTheRecordsRead) {
    CMeasDataSet set;
    dialog_.cancelAtStep = 1;
    ASSERT_EQ(Load(DataFile(5000, 5000), set), FILEJOB_OK);
    // The worker looks for the cancel before each line.
    ASSERT_GE(dialog_.cancelledAt, 1);
    EXPECT_EQ(set.GetCount(), dialog_.cancelledAt);
    EXPECT_EQ(dialog_.finalValue, dialog_.cancelledAt);
}

TEST_F(FileJobsTest, SaveWritesHeaderAndOneLinePerRecord) {
    CMeasDataSet set;
    Fill(set, 1);
    ASSERT_EQ(SaveDataFile(dir_.File("one.csv"), set, dialog_), FILEJOB_OK);
    const std::string text = test::ReadBytes(dir_.File("one.csv"));
    int lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(dialog_.titleId(), IDS_PROGRESS_SAVING);
    EXPECT_EQ(dialog_.steps, std::vector<int>{1});
    EXPECT_EQ(dir_.EntryCount(), 1u);  // no temporary file left
}

TEST_F(FileJobsTest, CancelledSaveKeepsAPartialFileThatLoads) {
    CMeasDataSet set;
    Fill(set, 500);
    test::WriteBytes(dir_.File("part.csv"), "old");
    dialog_.cancelAtStep = 1;
    ASSERT_EQ(SaveDataFile(dir_.File("part.csv"), set, dialog_), FILEJOB_OK);
    ASSERT_GE(dialog_.cancelledAt, 1);
    CMeasDataSet loaded;
    test::QueueDialog loadDialog;
    ASSERT_EQ(LoadDataFile(dir_.File("part.csv"), loaded, loadDialog), FILEJOB_OK);
    EXPECT_EQ(loadDialog.total(), 500);
    EXPECT_EQ(loaded.GetCount(), dialog_.cancelledAt);
}

TEST_F(FileJobsTest, ReplacingAFileKeepsItsLinksOwnerGroupAndMode) {
    CMeasDataSet set;
    Fill(set, 3);
    const auto target = dir_.File("kept.csv");
    test::WriteBytes(target, "old");
    ::chmod(target.c_str(), 0640);
    ::symlink(target.c_str(), dir_.File("link.csv").c_str());
    ASSERT_EQ(SaveDataFile(dir_.File("link.csv"), set, dialog_), FILEJOB_OK);
    struct stat st {};
    ASSERT_EQ(::lstat(dir_.File("link.csv").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(test::ReadBytes(target), Saved(set));

    // A second name of the same file sees the new content too.
    ASSERT_EQ(::link(target.c_str(), dir_.File("second.csv").c_str()), 0);
    Fill(set, 2, 12);
    ASSERT_EQ(SaveDataFile(target, set, dialog_), FILEJOB_OK);
    EXPECT_EQ(test::ReadBytes(dir_.File("second.csv")), Saved(set));
    struct stat second {};
    ASSERT_EQ(::stat(dir_.File("second.csv").c_str(), &second), 0);
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(second.st_ino, st.st_ino);
    EXPECT_EQ(st.st_nlink, 2u);
    ::unlink(dir_.File("second.csv").c_str());

    // Owner and group stay whoever they were, where this process may set them.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
        ASSERT_EQ(SaveDataFile(target, set, dialog_), FILEJOB_OK);
        ASSERT_EQ(::stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
        EXPECT_EQ(st.st_mode & 0777, 0640u);
    }
    EXPECT_EQ(dir_.EntryCount(), 2u);  // no temporary file left
}

TEST_F(FileJobsTest, SaveRemovesTheTemporaryFilesOfKilledSavesOnly) {
    CMeasDataSet set;
    Fill(set, 3);
    const auto target = dir_.File("data.csv");
    // A save killed before its end: a child that stops dead half-way.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CFileReplacement save;
        if (save.Begin(target)) {
            (void)::write(save.Fd(), "half", 4);
        }
        ::_exit(0);  // no destructor: the temporary file stays, as after a kill
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(dir_.EntryCount(), 1u) << "the killed save left no temporary file";
    // One of a save still running (this process) and one of a living
    // process that is not ours to judge (init) stay.
    const std::string alive = dir_.File(".data.csv." + std::to_string(::getpid()) + "-9-9.tmp");
    const std::string other = dir_.File(".data.csv.1-9-9.tmp");
    test::WriteBytes(alive, "running");
    test::WriteBytes(other, "running");

    ASSERT_EQ(SaveDataFile(target, set, dialog_), FILEJOB_OK);
    EXPECT_EQ(dir_.EntryCount(), 3u);
    EXPECT_TRUE(std::filesystem::exists(alive));
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_EQ(test::ReadBytes(target), Saved(set));
}

// The rule of the kernel's protected_symlinks, applied by the save itself:
// in a sticky folder that everyone may write, a link is followed only when
// it belongs to the user or to the folder's owner.
TEST_F(FileJobsTest, SaveFollowsALinkInAStickyFolderOnlyWhenTrusted) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "links of other users can only be made as root";
    }
    CMeasDataSet set;
    Fill(set, 3);
    const auto shared = dir_.File("shared");
    ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(::chown(shared.c_str(), 4000, 4000), 0);
    const auto target = dir_.File("precious.csv");
    test::WriteBytes(target, "precious");
    const auto planted = shared + "/planted.csv";
    const auto folders = shared + "/folders.csv";
    ASSERT_EQ(::symlink(target.c_str(), planted.c_str()), 0);
    ASSERT_EQ(::symlink(target.c_str(), folders.c_str()), 0);
    ASSERT_EQ(::lchown(planted.c_str(), 5000, 5000), 0);
    ASSERT_EQ(::lchown(folders.c_str(), 4000, 4000), 0);

    FileFailure failure;
    EXPECT_EQ(SaveDataFile(planted, set, dialog_, &failure), FILEJOB_OPEN_FAILED);
    EXPECT_EQ(failure.problem, FileProblem::UntrustedLink);
    EXPECT_EQ(test::ReadBytes(target), "precious");
    struct stat st {};
    ASSERT_EQ(::lstat(planted.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    ASSERT_EQ(SaveDataFile(folders, set, dialog_), FILEJOB_OK);
    EXPECT_EQ(test::ReadBytes(target), Saved(set));
}

TEST_F(FileJobsTest, SaveThatCannotCreateTheFileFailsAndTouchesNothing) {
    CMeasDataSet set;
    Fill(set, 3);
    EXPECT_EQ(SaveDataFile(dir_.File("no/such/folder.csv"), set, dialog_), FILEJOB_OPEN_FAILED);
    // Never over a device: the old node stays what it was.
    EXPECT_EQ(SaveDataFile("/dev/full", set, dialog_), FILEJOB_OPEN_FAILED);
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(SaveDataFile(dir_.Path(), set, dialog_), FILEJOB_OPEN_FAILED);
    EXPECT_EQ(dialog_.modalRuns, 0);
}

TEST_F(FileJobsTest, SaveIntoAReadOnlyFolderWritesTheFileInPlaceAndRefusesWhatItCannot) {
    CMeasDataSet set;
    Fill(set, 3);
    const auto folder = dir_.File("ro");
    ::mkdir(folder.c_str(), 0700);
    test::WriteBytes(folder + "/old.csv", "old");
    test::WriteBytes(dir_.File("locked.csv"), "locked");
    ::chmod(folder.c_str(), 0500);
    ::chmod(dir_.File("locked.csv").c_str(), 0444);
    FileFailure failure;
    {
        test::AsPlainUser user;
        if (!user.Active()) {
            GTEST_SKIP() << "file permissions cannot be made to bind this process";
        }
        // The old file itself may be written, though no temporary file can
        // be made beside it: it is written in place.
        EXPECT_EQ(SaveDataFile(folder + "/old.csv", set, dialog_), FILEJOB_OK);
        // No new file can be made there, and the message says why.
        EXPECT_EQ(SaveDataFile(folder + "/new.csv", set, dialog_, &failure), FILEJOB_OPEN_FAILED);
        EXPECT_EQ(failure.problem, FileProblem::NoPermission);
        EXPECT_EQ(FileFailureMessage(IDS_FILE_OPEN_FAILED, failure),
                  LoadText(IDS_FILE_OPEN_FAILED) + "\n\n" + LoadText(IDS_FILE_REASON_PERMISSION));
        // A read-only file in a folder that may be written is not replaced.
        EXPECT_EQ(SaveDataFile(dir_.File("locked.csv"), set, dialog_, &failure), FILEJOB_OPEN_FAILED);
        EXPECT_EQ(failure.problem, FileProblem::NoPermission);
    }
    EXPECT_EQ(dialog_.modalRuns, 1);
    ::chmod(folder.c_str(), 0700);
    EXPECT_EQ(test::ReadBytes(folder + "/old.csv"), Saved(set));
    EXPECT_EQ(test::ReadBytes(dir_.File("locked.csv")), "locked");
    EXPECT_FALSE(std::filesystem::exists(folder + "/new.csv"));
    EXPECT_EQ(dir_.EntryCount(), 2u);
}

// A folder on a small file system of its own when this process may mount
// one; otherwise the same folder with a file-size limit on the process,
// which makes writes fail the same way part-way through.
class SmallDevice final {
  public:
    explicit SmallDevice(const std::string& folder) : folder_(folder) {
        ::mkdir(folder_.c_str(), 0700);
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDevice() {
        if (mounted_) {
            ::umount(folder_.c_str());
        }
    }
    SmallDevice(const SmallDevice&) = delete;
    SmallDevice& operator=(const SmallDevice&) = delete;

    // Runs `f` with the device full beyond about 64 KiB.
    template <typename F>
    void Run(F f) {
        if (mounted_) {
            f();
            return;
        }
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 64 * 1024;
        ::setrlimit(RLIMIT_FSIZE, &small);
        f();
        ::setrlimit(RLIMIT_FSIZE, &old);
        ::signal(SIGXFSZ, oldHandler);
    }
    bool Mounted() const { return mounted_; }

  private:
    std::string folder_;
    bool mounted_ = false;
};

TEST_F(FileJobsTest, SaveToAFullDeviceFailsAndKeepsTheOldFile) {
    SmallDevice device(dir_.File("small"));
    RecordProperty("device", device.Mounted() ? "tmpfs of 64 KiB" : "file-size limit of 64 KiB");
    const std::string old = DataFile(3, 3);
    test::WriteBytes(dir_.File("small/data.csv"), old);
    CMeasDataSet set;
    Fill(set, 2000);  // about 1 MB of lines
    int result = -1;
    device.Run([&] { result = SaveDataFile(dir_.File("small/data.csv"), set, dialog_); });
    EXPECT_EQ(result, FILEJOB_FAILED);
    EXPECT_EQ(test::ReadBytes(dir_.File("small/data.csv")), old);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_.File("small"))) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
    EXPECT_LT(dialog_.finalValue, 2000);
}

TEST_F(FileJobsTest, SaveWhoseLastBytesDoNotFitFailsAtTheFlush) {
    // Small enough to sit in the write buffer until the end of the job.
    SmallDevice device(dir_.File("small"));
    CMeasDataSet set;
    Fill(set, 60);
    test::WriteBytes(dir_.File("small/filler"), std::string(60 * 1024, 'f'));
    test::WriteBytes(dir_.File("small/data.csv"), "old");
    int result = -1;
    device.Run([&] {
        if (!device.Mounted()) {
            // The limit counts the file's own size: make it bite at once.
            rlimit tiny{};
            ::getrlimit(RLIMIT_FSIZE, &tiny);
            tiny.rlim_cur = 1024;
            ::setrlimit(RLIMIT_FSIZE, &tiny);
        }
        result = SaveDataFile(dir_.File("small/data.csv"), set, dialog_);
    });
    EXPECT_EQ(result, FILEJOB_FAILED);
    EXPECT_EQ(test::ReadBytes(dir_.File("small/data.csv")), "old");
}

}  // namespace
}  // namespace kelp
