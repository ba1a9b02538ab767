#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "data/CaptureJournal.h"
#include "data/Cp932.h"
#include "data/CsvFile.h"
#include "data/MeasDataSet.h"
#include "tests/data_model/ReplyBuilder.h"
#include "tests/settings/FileSizeLimit.h"

namespace kelp {
namespace {

namespace fs = std::filesystem;
using test::Block;
using test::LiveReply;
using test::ReplyFields;

class TempFolder {
  public:
    TempFolder() {
        char name[] = "/tmp/kelp-journal-XXXXXX";
        path_ = ::mkdtemp(name);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Live record i of a capture: ten seconds apart, values and codes that vary.
std::string Reply(int i) {
    ReplyFields f;
    char time[40];
    std::snprintf(time, sizeof time, "261207%02d%02d%02d", 8 + i / 360, i / 6 % 60, i % 6 * 10);
    f.time = time;
    char temperature[40];
    std::snprintf(temperature, sizeof temperature, "%5.2f", 10.0 + i * 0.37);
    f.blocks[0] = Block(10, '1', '0', temperature, '0');
    f.blocks[1] = Block(1, "1569"[i % 4], "0120"[i % 4], "7.123", '0');
    f.blocks[10] = Block(11, '1', '0', i % 3 == 0 ? " 1.25" : "12.50", static_cast<char>('0' + i % 2));
    f.site = i % 2 == 0 ? "Pier 7              " : "\x8A\xDB\x93\xE0 site           ";  // Shift JIS bytes
    f.instrumentError = i % 5 == 4 ? '3' : '0';
    return LiveReply(f);
}

void AddRecords(CMeasDataSet& data, int from, int to) {
    for (int i = from; i < to; ++i) {
        ASSERT_TRUE(data.AddLiveRecord(Reply(i))) << i;
    }
}

void ExpectSameRecords(const CMeasDataSet& a, const CMeasDataSet& b, int count) {
    ASSERT_EQ(b.GetCount(), count);
    for (int s = 0; s < kSlotCount; ++s) {
        EXPECT_EQ(a.GetElement(s), b.GetElement(s)) << s;
    }
    for (int r = 0; r < count; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(a.GetSiteName(r), b.GetSiteName(r));
        EXPECT_EQ(a.GetBattery(r), b.GetBattery(r));
        EXPECT_EQ(a.GetLatitude(r), b.GetLatitude(r));
        EXPECT_EQ(a.GetLongitude(r), b.GetLongitude(r));
        EXPECT_EQ(a.GetInstrumentError(r), b.GetInstrumentError(r));
        EXPECT_EQ(a.GetDevice(r), b.GetDevice(r));
        EXPECT_EQ(a.FormatTime(r, "%Y%m%d%H%M%S"), b.FormatTime(r, "%Y%m%d%H%M%S"));
        EXPECT_EQ(a.GetElapsed(r), b.GetElapsed(r));
        for (int s = 0; s < kSlotCount; ++s) {
            EXPECT_EQ(a.GetState(s, r), b.GetState(s, r)) << s;
            EXPECT_EQ(a.GetErrorCode(s, r), b.GetErrorCode(s, r)) << s;
            EXPECT_EQ(a.GetUnit(s, r), b.GetUnit(s, r)) << s;
            if (a.GetElement(s) != 0 && a.GetState(s, r) != 0 && a.GetState(s, r) != 9) {
                EXPECT_EQ(a.FormatValue(s, r), b.FormatValue(s, r)) << s;
            }
        }
    }
}

// Statistics of b describe exactly its own records: the same as a set
// built from the first `count` records of the capture.
void ExpectStatsOfFirst(const CMeasDataSet& b, int count) {
    CMeasDataSet expected;
    AddRecords(expected, 0, count);
    for (int s = 0; s < kSlotCount; ++s) {
        for (int u = 0; u < kUnitCount; ++u) {
            const SlotStats& e = expected.GetStats(s, u);
            const SlotStats& g = b.GetStats(s, u);
            EXPECT_EQ(g.Count, e.Count) << s << "/" << u;
            if (e.Count > 0) {
                EXPECT_FLOAT_EQ(g.Min, e.Min) << s << "/" << u;
                EXPECT_FLOAT_EQ(g.Max, e.Max) << s << "/" << u;
            }
        }
    }
    EXPECT_EQ(b.GetElapsedRange().MaxElapsed, expected.GetElapsedRange().MaxElapsed);
}

// Writes a journal of `count` records the way a capture does and finishes it.
std::string WriteJournal(const std::string& folder, int count) {
    CMeasDataSet live;
    CCaptureJournal journal(folder);
    EXPECT_TRUE(journal.Start(live));
    for (int i = 0; i < count; ++i) {
        EXPECT_TRUE(live.AddLiveRecord(Reply(i)));
        EXPECT_TRUE(journal.Append(live, i));
    }
    journal.Finish();
    return journal.Path();
}

TEST(CaptureJournal, LineOneAnnouncesTheFullCapacityAndLinesAreTheDataFileLines) {
    TempFolder dir;
    CMeasDataSet live;
    AddRecords(live, 0, 3);
    const std::string path = WriteJournal(dir.Path(), 3);
    ASSERT_EQ(path, dir.Path() + "/CaptureJournal.csv");

    CCsvFile file;
    ASSERT_TRUE(file.OpenRead(path));
    CMeasDataSet reader;
    ASSERT_TRUE(file.ReadCsvLine(reader.GetFieldList()));
    EXPECT_EQ(reader.ParseFirstLine(), CCaptureJournal::kAnnouncedRecords);

    // Apart from the count in line 1, the journal is byte for byte what a
    // save writes: same lines, same code page, same line ends.
    const std::string bytes = ReadBytes(path);
    std::string saved = live.FormatHeaderLines();
    for (int r = 0; r < 3; ++r) {
        saved += live.FormatRecordLine(r);
    }
    const std::size_t journalLine2 = bytes.find("\r\n") + 2;
    const std::size_t savedLine2 = saved.find("\r\n") + 2;
    EXPECT_EQ(bytes.substr(0, journalLine2), "\"KelpPC DataFile\",\"Version\",\"1.00\",\"10000\"\r\n");
    EXPECT_EQ(bytes.substr(journalLine2), saved.substr(savedLine2));
    EXPECT_NE(bytes.find(Utf8ToCp932("日付")), std::string::npos);
    EXPECT_NE(bytes.find("\x8A\xDB\x93\xE0 site"), std::string::npos);
}

TEST(CaptureJournal, EveryAppendedLineIsReadableAtOnceAndSyncedWithinASecond) {
    TempFolder dir;
    CMeasDataSet live;
    CCaptureJournal journal(dir.Path());
    ASSERT_TRUE(journal.Start(live));
    CCaptureJournal reader(dir.Path());
    CMeasDataSet restored;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(live.AddLiveRecord(Reply(i)));
        ASSERT_TRUE(journal.Append(live, i));
        // Another reader sees the record while the journal is still open.
        EXPECT_EQ(reader.Recover(restored), i + 1);
    }
    const int before = journal.SyncCount();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (journal.SyncCount() == before && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_GT(journal.SyncCount(), before) << "no sync after the appends";

    const int beforeFinish = journal.SyncCount();
    journal.Finish();
    EXPECT_EQ(journal.SyncCount(), beforeFinish + 1);
    EXPECT_FALSE(journal.IsOpen());
    EXPECT_TRUE(journal.Exists()) << "finishing keeps the unsaved data on disk";
}

TEST(CaptureJournal, RecoveryRestoresEveryRecordAsStored) {
    TempFolder dir;
    CMeasDataSet live;
    AddRecords(live, 0, 60);
    WriteJournal(dir.Path(), 60);

    CCaptureJournal journal(dir.Path());
    CMeasDataSet restored;
    restored.SetName("/somewhere/old.csv");
    ASSERT_EQ(journal.Recover(restored), 60);
    ExpectSameRecords(live, restored, 60);
    ExpectStatsOfFirst(restored, 60);
    EXPECT_EQ(restored.GetName(), "") << "restored data were never saved";
    EXPECT_TRUE(journal.Exists()) << "the journal guards the restored data until they are saved";
}

// The process may die anywhere inside the last line.
TEST(CaptureJournal, ALineCutAnywhereRestoresEveryCompleteRecordBeforeIt) {
    TempFolder dir;
    CMeasDataSet live;
    AddRecords(live, 0, 5);
    const std::string path = WriteJournal(dir.Path(), 5);
    const std::string full = ReadBytes(path);
    const std::size_t lastStart = full.rfind("\r\n", full.size() - 3) + 2;
    const std::size_t lineLength = full.size() - lastStart;  // with CR LF

    CMeasDataSet restored;
    for (std::size_t keep = 0; keep <= lineLength; ++keep) {
        SCOPED_TRACE(keep);
        WriteBytes(path, full.substr(0, lastStart + keep));
        CCaptureJournal journal(dir.Path());
        const int n = journal.Recover(restored);
        if (keep + 4 <= lineLength) {
            // Part of the last field is missing: the line is not a record.
            ASSERT_EQ(n, 4);
            ExpectStatsOfFirst(restored, 4);
        } else if (keep + 2 >= lineLength) {
            // Only the line end (or part of it) is missing: the record is whole.
            ASSERT_EQ(n, 5);
        }
        if (n > 0) {
            ExpectSameRecords(live, restored, n);
        }
    }
}

TEST(CaptureJournal, GarbageAfterTheLastLineIsIgnored) {
    TempFolder dir;
    const std::string path = WriteJournal(dir.Path(), 3);
    // What a power cut can leave: the size grew, the data never arrived.
    WriteBytes(path, ReadBytes(path) + std::string(300, '\0') + "\r\n\"4\",\"x\"\r\n");
    CCaptureJournal journal(dir.Path());
    CMeasDataSet restored;
    EXPECT_EQ(journal.Recover(restored), 3);
    EXPECT_EQ(journal.UnreadableLines(), 2) << "the NUL line and the short one";
}

// A line damaged in the middle of the file costs that line only.
TEST(CaptureJournal, ADamagedLineIsSkippedAndEveryLaterRecordRestored) {
    TempFolder dir;
    const std::string path = WriteJournal(dir.Path(), 153);
    std::string bytes = ReadBytes(path);
    std::size_t start = 0;
    for (int line = 1; line < 52; ++line) {
        start = bytes.find('\n', start) + 1;
    }
    bytes.replace(start + 50, 30, "\x81\x40garbled\x00");
    WriteBytes(path, bytes);

    CCaptureJournal journal(dir.Path());
    CMeasDataSet restored;
    ASSERT_EQ(journal.Recover(restored), 152);
    EXPECT_EQ(journal.UnreadableLines(), 1);
    CMeasDataSet expected;
    AddRecords(expected, 0, 49);
    AddRecords(expected, 50, 153);
    ExpectSameRecords(expected, restored, 152);
    EXPECT_EQ(ReadBytes(path), bytes) << "the damaged file is left as it is";
}

TEST(CaptureJournal, AJournalWithoutRecordsIsRemovedOrSetAside) {
    TempFolder dir;
    CMeasDataSet restored;
    CCaptureJournal journal(dir.Path());
    EXPECT_EQ(journal.Recover(restored), 0) << "no journal";

    // A capture that ended before its first record: a plain header.
    CMeasDataSet live;
    ASSERT_TRUE(journal.Start(live));
    journal.Finish();
    ASSERT_TRUE(journal.Exists());
    EXPECT_EQ(journal.Recover(restored), 0);
    EXPECT_FALSE(journal.Exists()) << "a header alone holds nothing to keep";
    EXPECT_EQ(fs::directory_iterator(dir.Path()) == fs::directory_iterator(), true);

    // Something that is not a data file is not ours to delete.
    WriteBytes(journal.Path(), "not a data file\r\n");
    EXPECT_EQ(journal.Recover(restored), 0);
    EXPECT_FALSE(journal.Exists());
    int kept = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        EXPECT_EQ(ReadBytes(entry.path()), "not a data file\r\n");
        ++kept;
    }
    EXPECT_EQ(kept, 1);
}

TEST(CaptureJournal, SetAsideKeepsTheJournalUnderATimestampedName) {
    TempFolder dir;
    const std::string path = WriteJournal(dir.Path(), 2);
    const std::string bytes = ReadBytes(path);
    // A known modification time, so the name can be checked exactly.
    struct tm when {};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 7;
    when.tm_hour = 5;
    when.tm_min = 4;
    when.tm_sec = 3;
    when.tm_isdst = -1;
    const std::time_t t = std::mktime(&when);
    const struct timespec times[2] = {{t, 0}, {t, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);

    CCaptureJournal journal(dir.Path());
    const std::string first = journal.SetAside();
    EXPECT_EQ(first, dir.Path() + "/CaptureJournal-20261207-050403.csv");
    EXPECT_FALSE(journal.Exists());
    EXPECT_EQ(ReadBytes(first), bytes);

    // A second journal from the same second never replaces the first.
    WriteBytes(path, "second");
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const std::string second = journal.SetAside();
    EXPECT_EQ(second, dir.Path() + "/CaptureJournal-20261207-050403-2.csv");
    EXPECT_EQ(ReadBytes(first), bytes);
    EXPECT_EQ(ReadBytes(second), "second");
    EXPECT_EQ(journal.SetAside(), "") << "nothing left to set aside";
}

TEST(CaptureJournal, RemoveDeletesTheFileAndFinishKeepsIt) {
    TempFolder dir;
    CMeasDataSet live;
    CCaptureJournal journal(dir.Path());
    ASSERT_TRUE(journal.Start(live));
    AddRecords(live, 0, 1);
    ASSERT_TRUE(journal.Append(live, 0));
    EXPECT_TRUE(journal.Remove());
    EXPECT_FALSE(journal.IsOpen());
    EXPECT_FALSE(journal.Exists());
    EXPECT_TRUE(journal.Remove()) << "nothing to remove is no failure";
    EXPECT_FALSE(journal.Append(live, 0)) << "closed";

    // A new capture empties whatever the last one left.
    WriteJournal(dir.Path(), 3);
    CMeasDataSet fresh;
    ASSERT_TRUE(journal.Start(fresh));
    journal.Finish();
    // Finished, the journal still stands for data only this process has;
    // a journal that a process left behind is no longer in use.
    EXPECT_TRUE(CCaptureJournal::IsInUse(journal.Path()));
    CMeasDataSet restored;
    EXPECT_EQ(CCaptureJournal(dir.Path()).Read(restored), 0);
    EXPECT_TRUE(CCaptureJournal::IsInUse(journal.Path()));
    journal.SetAside();
    EXPECT_FALSE(CCaptureJournal::IsInUse(journal.Path()));

    // A name reserved by a journal is not taken by a second one.
    CCaptureJournal first(dir.Path(), "station.journal.csv");
    CCaptureJournal second(dir.Path(), "station.journal.csv");
    ASSERT_TRUE(first.Start(fresh, true));
    EXPECT_FALSE(second.Start(fresh, true));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_TRUE(first.Holds(0));
}

TEST(CaptureJournal, StartFailsWhereNoFileCanBeMade) {
    CMeasDataSet live;
    CCaptureJournal journal("/nonexistent/kelp/folder");
    EXPECT_FALSE(journal.Start(live));
    EXPECT_FALSE(journal.IsOpen());
    AddRecords(live, 0, 1);
    EXPECT_FALSE(journal.Append(live, 0));

    // Without a settings folder the journal keeps nothing, least of all in
    // whatever folder the process happens to run in.
    CCaptureJournal nowhere("");
    EXPECT_EQ(nowhere.Path(), "");
    EXPECT_FALSE(nowhere.Start(live));
    EXPECT_FALSE(nowhere.Exists());
    EXPECT_EQ(nowhere.Recover(live), 0);
    EXPECT_TRUE(nowhere.Remove());
    EXPECT_EQ(nowhere.SetAside(), "");
}

// Whatever stands at the journal's name besides a regular file is renamed
// out of the way and never opened: a FIFO would block the program, a link
// would lead the writes elsewhere.
TEST(CaptureJournal, ALinkOrAFifoAtTheNameIsSetAsideNeverOpened) {
    TempFolder dir;
    CCaptureJournal journal(dir.Path());
    ASSERT_EQ(::mkfifo(journal.Path().c_str(), 0600), 0);
    CMeasDataSet data;
    EXPECT_EQ(journal.Recover(data), 0);
    EXPECT_FALSE(journal.Exists());
    int fifos = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        fifos +=
            fs::is_fifo(entry.status()) && entry.path().filename().string().starts_with("CaptureJournal-");
    }
    EXPECT_EQ(fifos, 1);

    const std::string elsewhere = dir.Path() + "/elsewhere.txt";
    WriteBytes(elsewhere, "not to be touched");
    fs::create_symlink(elsewhere, journal.Path());
    AddRecords(data, 0, 2);
    ASSERT_TRUE(journal.Start(data));
    ASSERT_TRUE(journal.Append(data, 1));
    journal.Finish();
    EXPECT_EQ(ReadBytes(elsewhere), "not to be touched");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(journal.Path())));
    CMeasDataSet restored;
    EXPECT_EQ(CCaptureJournal(dir.Path()).Recover(restored), 2);
}

// The settings file goes beside the program when its folder cannot be made;
// the journal then goes to the user's cache, never there.
TEST(CaptureJournal, TheJournalNeverGoesBesideTheProgram) {
    TempFolder dir;
    const std::string program = dir.Path() + "/bin/kelp-collector";
    fs::create_directories(dir.Path() + "/bin");
    EXPECT_EQ(CCaptureJournal::FolderFor(dir.Path() + "/config/Kelp-Win.ini", program),
              dir.Path() + "/config");

    const char* saved = std::getenv("XDG_CACHE_HOME");
    const std::string before = saved != nullptr ? saved : "";
    ::setenv("XDG_CACHE_HOME", (dir.Path() + "/cache").c_str(), 1);
    const std::string folder = CCaptureJournal::FolderFor(dir.Path() + "/bin/Kelp-Win.ini", program);
    EXPECT_EQ(CCaptureJournal::FolderFor("Kelp-Win.ini", "kelp-collector"), folder);
    if (saved != nullptr) {
        ::setenv("XDG_CACHE_HOME", before.c_str(), 1);
    } else {
        ::unsetenv("XDG_CACHE_HOME");
    }
    EXPECT_EQ(folder, dir.Path() + "/cache/TARVIK/KELPWIN");
    EXPECT_TRUE(fs::is_directory(folder));
    CMeasDataSet data;
    EXPECT_TRUE(CCaptureJournal(folder).Start(data));
}

// Line 2 written at the start carries whatever elements the data set held
// before (a file opened earlier); the first live record brings the real
// ones, and values of slots that line 2 called empty would not load back.
TEST(CaptureJournal, LineTwoFollowsTheElementsOfTheFirstRecord) {
    TempFolder dir;
    CMeasDataSet live;
    auto& fields = live.GetFieldList();
    fields.assign(54, "0");
    live.ParseColumnLine();
    live.Clear();
    ASSERT_EQ(live.GetElement(0), 0);

    CCaptureJournal journal(dir.Path());
    ASSERT_TRUE(journal.Start(live));
    AddRecords(live, 0, 3);
    for (int r = 0; r < 3; ++r) {
        ASSERT_TRUE(journal.Append(live, r));
    }
    journal.Finish();
    CMeasDataSet restored;
    ASSERT_EQ(CCaptureJournal(dir.Path()).Recover(restored), 3);
    CMeasDataSet expected;
    AddRecords(expected, 0, 3);
    ExpectSameRecords(expected, restored, 3);
}

TEST(CaptureJournal, AnAppendOutOfStepWritesTheRecordsLeftOut) {
    TempFolder dir;
    CMeasDataSet live;
    CCaptureJournal journal(dir.Path());
    ASSERT_TRUE(journal.Start(live));
    AddRecords(live, 0, 4);
    ASSERT_TRUE(journal.Append(live, 0));
    // Records 1 and 2 never reached the journal.
    ASSERT_TRUE(journal.Append(live, 3));
    EXPECT_EQ(journal.RecordsWritten(), 4);
    CMeasDataSet restored;
    ASSERT_EQ(CCaptureJournal(dir.Path()).Read(restored), 4);
    ExpectSameRecords(live, restored, 4);

    // A record the file already holds: the journal is written anew up to
    // it, in a new file that takes the old one's place (and its lock).
    struct stat before {};
    ASSERT_EQ(::stat(journal.Path().c_str(), &before), 0);
    ASSERT_TRUE(journal.Append(live, 1));
    struct stat after {};
    ASSERT_EQ(::stat(journal.Path().c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_TRUE(journal.Holds(2));
    EXPECT_TRUE(CCaptureJournal::IsInUse(journal.Path()));
    ASSERT_TRUE(journal.Append(live, 2));
    journal.Finish();
    ASSERT_EQ(CCaptureJournal(dir.Path()).Recover(restored), 3);
    ExpectSameRecords(live, restored, 3);
}

// A full disk (here: a file size limit) must not leave half a line that
// would hide every later record from recovery, nor cost a line written
// before it; and a journal whose folder is removed says it is lost.
TEST(CaptureJournal, AFailedWriteNeverShortensTheJournalAndARemovedOneIsLost) {
    TempFolder dir;
    CMeasDataSet live;
    CCaptureJournal journal(dir.Path());
    ASSERT_TRUE(journal.Start(live));
    AddRecords(live, 0, 4);
    ASSERT_TRUE(journal.Append(live, 0));
    const auto size = static_cast<rlim_t>(fs::file_size(journal.Path()));

    bool appended = true;
    bool appendedLater = true;
    {
        const test::FileSizeLimit full(size + 100);  // room for part of the next line only
        ASSERT_TRUE(full.Ok());
        appended = journal.Append(live, 1);
        appendedLater = journal.Append(live, 2);
    }

    EXPECT_FALSE(appended);
    EXPECT_FALSE(appendedLater);
    EXPECT_EQ(fs::file_size(journal.Path()), size);
    EXPECT_FALSE(journal.Holds(3));
    // Room again: the lines left out come first, then the new one.
    ASSERT_TRUE(journal.Append(live, 3));
    EXPECT_TRUE(journal.Holds(4));
    CMeasDataSet restored;
    ASSERT_EQ(CCaptureJournal(dir.Path()).Read(restored), 4);
    ExpectSameRecords(live, restored, 4);

    fs::remove_all(dir.Path());
    ASSERT_TRUE(live.AddLiveRecord(Reply(4)));
    EXPECT_FALSE(journal.Append(live, 4));
    EXPECT_TRUE(journal.IsLost());
    EXPECT_FALSE(journal.Holds(4));
}

// The journal's purpose: a process killed in the middle of a capture.
TEST(CaptureJournal, RecordsOfAKilledProcessComeBack) {
    TempFolder dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        CMeasDataSet live;
        CCaptureJournal journal(dir.Path());
        if (!journal.Start(live)) {
            ::_exit(1);
        }
        for (int i = 0; i < 25; ++i) {
            live.AddLiveRecord(Reply(i));
            journal.Append(live, i);
        }
        // Tell the parent, then wait to be killed with the journal open.
        const char byte = 'x';
        (void)::write(ready[1], &byte, 1);
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    CMeasDataSet live;
    AddRecords(live, 0, 25);
    CMeasDataSet restored;
    ASSERT_EQ(CCaptureJournal(dir.Path()).Recover(restored), 25);
    ExpectSameRecords(live, restored, 25);
}

}  // namespace
}  // namespace kelp
