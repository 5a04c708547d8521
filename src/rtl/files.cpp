#include "rtl/files.h"

#include "rtl/exceptions.h"
#include "rtl/streams.h"
#include "rtl/text.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace rtl {

namespace {

bool StatOf(const std::string &name, struct stat &st)
{
    return !name.empty() && ::stat(name.c_str(), &st) == 0;
}

TDateTime LocalDateTimeOf(const struct timespec &when)
{
    struct tm local {};
    const time_t seconds = when.tv_sec;
    if (!::localtime_r(&seconds, &local))
        return 0;
    TDateTime result = 0;
    TryEncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, std::min(local.tm_sec, 59),
                      static_cast<int>(when.tv_nsec / 1'000'000), result);
    return result;
}

// Closes a folder opened with opendir.
struct DirCloser {
    void operator()(DIR *dir) const { ::closedir(dir); }
};

// Closes a file descriptor and, unless released, removes the temporary it names.
class TempFile {
public:
    TempFile(int fd, std::string name) : FFd(fd), FName(std::move(name)) {}
    ~TempFile()
    {
        if (FFd >= 0)
            ::close(FFd);
        if (!FName.empty())
            ::unlink(FName.c_str());
    }
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    int Fd() const { return FFd; }
    const std::string &Name() const { return FName; }
    // Closes the descriptor; the system's error code, or 0.
    int Close()
    {
        const int rc = ::close(FFd);
        FFd = -1;
        return rc == 0 ? 0 : errno;
    }
    void Release() { FName.clear(); }

private:
    int FFd;
    std::string FName;
};

} // namespace

// ---- Existence and changes ---------------------------------------------------------

bool FileExists(const std::string &fileName)
{
    struct stat st {};
    return StatOf(fileName, st) && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string &dirName)
{
    struct stat st {};
    return StatOf(dirName, st) && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string &dirName)
{
    if (dirName.empty())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(dirName), ec);
    return DirectoryExists(dirName);
}

bool DeleteFile(const std::string &fileName)
{
    return !fileName.empty() && ::unlink(fileName.c_str()) == 0;
}

bool RenameFile(const std::string &oldName, const std::string &newName)
{
    if (oldName.empty() || newName.empty())
        return false;
    struct stat st {};
    if (::lstat(newName.c_str(), &st) == 0)
        return false;
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

// ---- Names -------------------------------------------------------------------------

std::string ExtractFilePath(std::string_view fileName)
{
    const std::size_t slash = fileName.rfind(PathDelim);
    return slash == std::string_view::npos ? std::string() : std::string(fileName.substr(0, slash + 1));
}

std::string ExtractFileDir(std::string_view fileName)
{
    const std::size_t slash = fileName.rfind(PathDelim);
    if (slash == std::string_view::npos)
        return {};
    // Drop the delimiter unless it is the root or follows another one.
    const bool keep = slash == 0 || fileName[slash - 1] == PathDelim;
    return std::string(fileName.substr(0, keep ? slash + 1 : slash));
}

std::string ExtractFileName(std::string_view fileName)
{
    const std::size_t slash = fileName.rfind(PathDelim);
    return std::string(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
}

std::string ExtractFileExt(std::string_view fileName)
{
    const std::size_t at = fileName.find_last_of("./");
    if (at == std::string_view::npos || fileName[at] != '.')
        return {};
    return std::string(fileName.substr(at));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension)
{
    std::size_t at = fileName.find_last_of("./");
    if (at == std::string_view::npos || fileName[at] != '.')
        at = fileName.size();
    std::string result;
    result.reserve(at + extension.size());
    result.append(fileName.substr(0, at)).append(extension);
    return result;
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
    std::string result(path);
    if (result.empty() || result.back() != PathDelim)
        result += PathDelim;
    return result;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path)
{
    if (!path.empty() && path.back() == PathDelim)
        path.remove_suffix(1);
    return std::string(path);
}

// ---- Times and the program's place -------------------------------------------------

bool FileAge(const std::string &fileName, TDateTime &lastWriteLocal)
{
    struct stat st {};
    if (!StatOf(fileName, st))
        return false;
    lastWriteLocal = LocalDateTimeOf(st.st_mtim);
    return true;
}

std::string ApplicationExeName()
{
    static const std::string name = [] {
        std::error_code ec;
        const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
        return ec ? std::string() : path.string();
    }();
    return name;
}

std::string ApplicationDir()
{
    return ExtractFilePath(ApplicationExeName());
}

// ---- Masks and enumeration ---------------------------------------------------------

namespace {

std::u32string Folded(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();)
        out += AnsiUpperChar(NextCodePoint(s, pos));
    return out;
}

// n and m folded to upper case. Greedy match that backtracks only to the last '*': each
// '*' lets the text behind it absorb one more character at a time.
bool MatchesFolded(std::u32string_view n, std::u32string_view m)
{
    std::size_t i = 0, j = 0, starMask = std::u32string_view::npos, starName = 0;
    while (i < n.size()) {
        if (j < m.size() && (m[j] == U'?' || m[j] == n[i])) {
            ++i;
            ++j;
        } else if (j < m.size() && m[j] == U'*') {
            starMask = j++;
            starName = i;
        } else if (starMask != std::u32string_view::npos) {
            j = starMask + 1;
            i = ++starName;
        } else {
            return false;
        }
    }
    while (j < m.size() && m[j] == U'*')
        ++j;
    return j == m.size();
}

} // namespace

bool MatchesMask(std::string_view name, std::string_view mask)
{
    return MatchesFolded(Folded(name), Folded(mask));
}

std::vector<TSearchRec> FindEntries(std::string_view pathMask)
{
    std::vector<TSearchRec> entries;
    const std::string folder = ExtractFilePath(pathMask);
    const std::string maskPart = ExtractFileName(pathMask);
    if (maskPart.empty())
        return entries;
    const std::u32string mask = Folded(maskPart == "*.*" ? "*" : maskPart);
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir)
        return entries;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent *entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (!MatchesFolded(Folded(name), mask))
            continue;
        TSearchRec rec;
        rec.Name = name;
        rec.IsHidden = name.front() == '.' && name != "." && name != "..";
        struct stat st {};
        // A dangling link still shows, as the link itself.
        if (::fstatat(dirFd, entry->d_name, &st, 0) == 0
            || ::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
            rec.IsDirectory = S_ISDIR(st.st_mode);
            rec.Size = rec.IsDirectory ? 0 : static_cast<long long>(st.st_size);
            rec.Time = LocalDateTimeOf(st.st_mtim);
        } else {
            rec.IsDirectory = entry->d_type == DT_DIR;
        }
        entries.push_back(std::move(rec));
    }
    return entries;
}

// ---- Whole files -------------------------------------------------------------------

std::string ReadFileBytes(const std::string &fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    // The size is a hint only: files of the system's pseudo folders report 0.
    std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(file.Size(), 0)), '\0');
    const std::int64_t filled = file.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    if (filled < static_cast<std::int64_t>(bytes.size())) {
        bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(filled, 0)));
        return bytes;
    }
    char chunk[4096];
    for (std::int64_t n; (n = file.Read(chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, static_cast<std::size_t>(n));
    return bytes;
}

void WriteFileBytes(const std::string &fileName, std::string_view bytes)
{
    const std::string folder = ExtractFilePath(fileName);
    // Keep the temporary name within the system's limit on one name.
    const std::string base = ExtractFileName(fileName).substr(0, 200);
    static std::atomic<unsigned> counter{0};

    int fd = -1;
    std::string tempName;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        tempName = folder + "." + base + "." + std::to_string(::getpid()) + "."
            + std::to_string(counter++) + ".tmp";
        fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw EFCreateError(fileName, SysErrorMessage(errno));
    TempFile temp(fd, tempName);

    // A replaced file keeps its permissions.
    struct stat st {};
    if (::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(fd, st.st_mode & 07777);

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw EFCreateError(fileName, SysErrorMessage(n < 0 ? errno : ENOSPC));
        done += static_cast<std::size_t>(n);
    }
    if (const int error = temp.Close())
        throw EFCreateError(fileName, SysErrorMessage(error));
    if (::rename(temp.Name().c_str(), fileName.c_str()) != 0)
        throw EFCreateError(fileName, SysErrorMessage(errno));
    temp.Release();
}

} // namespace rtl
