#include "rtl/streams.h"

#include "rtl/files.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

std::string TempPath(const QTemporaryDir &dir, const char *name)
{
    return dir.filePath(QString::fromUtf8(name)).toStdString();
}

template <typename E>
std::string MessageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const E &e) {
        return e.Message();
    }
    return "(no error)";
}

TEST(Streams, MemoryStreamReadsWritesAndSeeks)
{
    rtl::TMemoryStream s;
    rtl::WriteStrToStream(s, "hello world");
    EXPECT_EQ(s.Position(), 11);
    EXPECT_EQ(s.Size(), 11);

    EXPECT_EQ(s.Seek(-5, rtl::soEnd), 6);
    EXPECT_EQ(rtl::ReadStrFromStream(s, 3), "wor");
    EXPECT_EQ(s.Seek(-3, rtl::soCurrent), 6);
    rtl::WriteStrToStream(s, "W");
    EXPECT_EQ(s.DataString(), "hello World");

    // Reading asks for more than is left: only the rest comes back.
    s.SetPosition(8);
    char buffer[16];
    EXPECT_EQ(s.Read(buffer, sizeof buffer), 3);
    EXPECT_EQ(s.Read(buffer, sizeof buffer), 0);

    // A seek before the start is refused and leaves the position alone.
    EXPECT_EQ(s.Seek(-1, rtl::soBeginning), -1);
    EXPECT_EQ(s.Position(), 11);

    // Writing beyond the end fills the gap with zeros.
    s.SetPosition(13);
    rtl::WriteStrToStream(s, "!");
    EXPECT_EQ(s.DataString(), "hello World\0\0!"s);

    // Shrinking pulls a position that was beyond the new end back to it.
    s.SetSize(5);
    EXPECT_EQ(s.Position(), 5);
    EXPECT_EQ(rtl::StreamToBytes(s), "hello");
}

TEST(Streams, ReadBufferAndWriteBufferRequireEveryByte)
{
    rtl::TMemoryStream s("abc");
    char buffer[4];
    s.ReadBuffer(buffer, 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    s.SetPosition(1);
    EXPECT_EQ(MessageOf<rtl::EReadError>([&] { s.ReadBuffer(buffer, 3); }), "Stream read error");
    EXPECT_NO_THROW(s.ReadBuffer(buffer, 0));

    // A file opened for reading only cannot take bytes.
    QTemporaryDir dir;
    const std::string name = TempPath(dir, "r.bin");
    rtl::WriteFileBytes(name, "x");
    rtl::TFileStream readOnly(name, rtl::fmOpenRead);
    EXPECT_EQ(MessageOf<rtl::EWriteError>([&] { readOnly.WriteBuffer("y", 1); }), "Stream write error");
}

TEST(Streams, CopyFrom)
{
    QTemporaryDir dir;
    const std::string name = TempPath(dir, "source.bin");
    const std::string bytes = "0123456789\0\xFF"s + std::string(200'000, 'z');
    rtl::WriteFileBytes(name, bytes);

    struct Row {
        const char *name;
        bool fromFile;
        std::int64_t startAt, count;
        std::string expected;
    } rows[] = {
        {"memory, whole from its start", false, 5, 0, bytes},
        {"file, whole from its start (several chunks)", true, 5, 0, bytes},
        {"memory, count from the position", false, 3, 4, "3456"},
        {"file, count from the position", true, 3, 4, "3456"},
    };
    for (const auto &row : rows) {
        rtl::TMemoryStream memorySource(bytes);
        rtl::TFileStream fileSource(name, rtl::fmOpenRead | rtl::fmShareDenyNone);
        rtl::TStream &source = row.fromFile ? static_cast<rtl::TStream &>(fileSource) : memorySource;
        source.SetPosition(row.startAt);
        rtl::TMemoryStream target;
        rtl::WriteStrToStream(target, "<");
        EXPECT_EQ(target.CopyFrom(source, row.count), static_cast<std::int64_t>(row.expected.size())) << row.name;
        EXPECT_EQ(target.DataString(), "<" + row.expected) << row.name;
        EXPECT_EQ(source.Position(), row.startAt * (row.count != 0) + static_cast<std::int64_t>(row.expected.size()))
            << row.name;
    }

    rtl::TMemoryStream shortSource("abc");
    rtl::TMemoryStream target;
    EXPECT_THROW(target.CopyFrom(shortSource, 4), rtl::EReadError);
}

TEST(Streams, FileStreamModes)
{
    QTemporaryDir dir;
    const std::string name = TempPath(dir, "log.txt");
    {
        rtl::TFileStream created(name, rtl::fmCreate | rtl::fmShareDenyWrite);
        rtl::WriteStrToStream(created, "first\n");
        // fmCreate opens for reading too.
        EXPECT_EQ(rtl::StreamToBytes(created), "first\n");
    }
    {
        // Appending: open for reading and writing, seek to the end.
        rtl::TFileStream append(name, rtl::fmOpenReadWrite | rtl::fmShareDenyWrite);
        EXPECT_EQ(append.Seek(0, rtl::soEnd), 6);
        rtl::WriteStrToStream(append, "second\n");
        EXPECT_EQ(append.Size(), 13);
    }
    {
        rtl::TFileStream overwrite(name, rtl::fmOpenWrite | rtl::fmShareExclusive);
        rtl::WriteStrToStream(overwrite, "FIRST");
    }
    rtl::TFileStream reader(name, rtl::fmOpenRead);
    EXPECT_EQ(rtl::ReadStrFromStream(reader, 1000), "FIRST\nsecond\n");
    EXPECT_EQ(rtl::ReadStrFromStream(reader, 1000), "");
    {
        // fmCreate truncates an existing file.
        rtl::TFileStream again(name, rtl::fmCreate);
        EXPECT_EQ(again.Size(), 0);
        rtl::WriteStrToStream(again, "abcdef");
        again.SetSize(2);
        EXPECT_EQ(again.Position(), 2);
    }
    EXPECT_EQ(rtl::ReadFileBytes(name), "ab");
}

TEST(Streams, FileStreamErrorsCarryTheSystemReason)
{
    QTemporaryDir dir;
    const std::string missing = TempPath(dir, "missing.xml");
    const std::string inMissingFolder = TempPath(dir, "no/such/folder.xml");
    const std::string folder = dir.path().toStdString();
    struct Row {
        const char *name;
        std::string fileName;
        unsigned mode;
        std::string expected;
    } rows[] = {
        {"open a missing file", missing, rtl::fmOpenRead,
         "Cannot open file \"" + missing + "\". No such file or directory"},
        {"read-write a missing file", missing, rtl::fmOpenReadWrite,
         "Cannot open file \"" + missing + "\". No such file or directory"},
        {"create in a missing folder", inMissingFolder, rtl::fmCreate,
         "Cannot create file \"" + inMissingFolder + "\". No such file or directory"},
        {"open a folder", folder, rtl::fmOpenRead, "Cannot open file \"" + folder + "\". Is a directory"},
        {"create over a folder", folder, rtl::fmCreate, "Cannot create file \"" + folder + "\". Is a directory"},
    };
    for (const auto &row : rows) {
        const auto open = [&] { rtl::TFileStream s(row.fileName, row.mode); };
        if (row.mode == rtl::fmCreate)
            EXPECT_EQ(MessageOf<rtl::EFCreateError>(open), row.expected) << row.name;
        else
            EXPECT_EQ(MessageOf<rtl::EFOpenError>(open), row.expected) << row.name;
    }
    EXPECT_FALSE(rtl::FileExists(missing));
}

TEST(Streams, MemoryStreamFilesAndStreams)
{
    QTemporaryDir dir;
    const std::string name = TempPath(dir, "data.bin");
    const std::string bytes = "\0\x01\xFE\xFF line\r\n"s;

    rtl::TMemoryStream out(bytes);
    out.SetPosition(3); // saving ignores the position
    out.SaveToFile(name);
    EXPECT_EQ(rtl::ReadFileBytes(name), bytes);

    rtl::TMemoryStream in;
    in.LoadFromFile(name);
    EXPECT_EQ(in.DataString(), bytes);
    EXPECT_EQ(in.Position(), 0);

    rtl::TFileStream file(name, rtl::fmOpenRead);
    file.SetPosition(4); // loading reads the source from its start
    rtl::TMemoryStream copy;
    copy.LoadFromStream(file);
    EXPECT_EQ(copy.DataString(), bytes);

    rtl::TMemoryStream target;
    copy.SaveToStream(target);
    EXPECT_EQ(target.TakeDataString(), bytes);
    EXPECT_EQ(target.Size(), 0);

    EXPECT_THROW(in.LoadFromFile(TempPath(dir, "missing")), rtl::EFOpenError);
}

TEST(Streams, ReadStrFromStreamStopsAtTheEnd)
{
    rtl::TStringStream s("0123456789");
    s.SetPosition(7);
    EXPECT_EQ(rtl::ReadStrFromStream(s, 1'000'000'000'000LL), "789");
    EXPECT_EQ(rtl::ReadStrFromStream(s, 5), "");
    s.SetPosition(2);
    EXPECT_EQ(rtl::ReadStrFromStream(s, 0), "");
    EXPECT_EQ(rtl::ReadStrFromStream(s, -4), "");
    EXPECT_EQ(rtl::ReadStrFromStream(s, 2), "23");
    EXPECT_EQ(rtl::StreamToBytes(s), "0123456789");
    EXPECT_EQ(s.Position(), 10);
}

} // namespace
