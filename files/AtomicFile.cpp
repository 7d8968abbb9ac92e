#include "AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "FileError.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

std::string PathText(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

namespace {

[[noreturn]] void Fail(const fs::path& path, const std::string& reason) {
  throw FileError("Cannot write the file \"" + PathText(path) + "\": " + reason + ".");
}

std::string SystemMessage(int error) { return std::generic_category().message(error); }

// Follows symbolic links to the file that is really replaced. A dangling link
// gives the path it points to, which is then created.
fs::path ResolveLinks(const fs::path& path) {
  fs::path current = path;
  for (int depth = 0; depth < 40; ++depth) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(current, ec)) || ec) return current;
    fs::path target = fs::read_symlink(current, ec);
    if (ec) return current;
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  return current;
}

std::string TempSuffix() {
  static thread_local std::mt19937 generator{std::random_device{}()};
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix = ".tmp";
  for (int i = 0; i < 8; ++i) suffix += kDigits[generator() % 36];
  return suffix;
}

fs::path TempPathFor(const fs::path& target) {
  fs::path temp = target;
  temp += TempSuffix();
  return temp;
}

}  // namespace

#ifdef _WIN32

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  const fs::path target = ResolveLinks(path);
  const DWORD oldAttributes = GetFileAttributesW(target.c_str());
  if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
    if (oldAttributes & FILE_ATTRIBUTE_DIRECTORY) Fail(path, "it is a folder");
    if (oldAttributes & FILE_ATTRIBUTE_READONLY) Fail(path, "the file is read-only");
  }
  fs::path temp;
  HANDLE handle = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
    temp = TempPathFor(target);
    handle = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (handle == INVALID_HANDLE_VALUE) {
    Fail(path, std::system_category().message(static_cast<int>(GetLastError())));
  }
  DWORD error = 0;
  size_t done = 0;
  while (error == 0 && done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr)) {
      error = GetLastError();
    }
    done += written;
  }
  if (error == 0 && !FlushFileBuffers(handle)) error = GetLastError();
  if (!CloseHandle(handle) && error == 0) error = GetLastError();
  if (error == 0 && oldAttributes != INVALID_FILE_ATTRIBUTES) {
    SetFileAttributesW(
        temp.c_str(),
        oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM));
  }
  if (error == 0 && !MoveFileExW(temp.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != 0) {
    DeleteFileW(temp.c_str());
    Fail(path, std::system_category().message(static_cast<int>(error)));
  }
}

#else

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  const fs::path target = ResolveLinks(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists) {
    if (S_ISDIR(old.st_mode)) Fail(path, SystemMessage(EISDIR));
    // Renaming would replace even a file the user made read-only.
    if (::access(target.c_str(), W_OK) != 0) Fail(path, SystemMessage(errno));
  }
  fs::path temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TempPathFor(target);
    // 0666 less the umask, as for any new file.
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) Fail(path, SystemMessage(errno));

  int error = 0;
  size_t done = 0;
  while (error == 0 && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno != EINTR) error = errno;
    } else {
      done += static_cast<size_t>(n);
    }
  }
  if (error == 0 && exists && ::fchmod(fd, old.st_mode & 07777) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    Fail(path, SystemMessage(error));
  }
  // Make the rename itself durable.
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

#endif

bool FileExists(const fs::path& path) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory) {
    throw FileError("Cannot read the file \"" + PathText(path) + "\": " + ec.message() + ".");
  }
  return fs::exists(status);
}

std::string ReadWholeFile(const fs::path& path) {
  auto fail = [&](const std::string& reason) {
    throw FileError("Cannot read the file \"" + PathText(path) + "\": " + reason + ".");
  };
  std::error_code ec;
  if (fs::is_directory(path, ec)) fail(SystemMessage(EISDIR));
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) fail(SystemMessage(errno != 0 ? errno : EACCES));
  std::string bytes;
  in.seekg(0, std::ios::end);
  const auto size = in.tellg();
  if (size > 0) {
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0, std::ios::beg);
    in.read(bytes.data(), size);
  }
  if (in.bad() || (size > 0 && in.gcount() != size)) fail("the file could not be read");
  return bytes;
}
