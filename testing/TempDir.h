// A fresh, empty directory for one test, removed with everything in it when
// the test ends. Created under $YDBCLN_TEST_TMP when set, else the system's
// temporary directory.
#ifndef YDB_TESTING_TEMPDIR_H_
#define YDB_TESTING_TEMPDIR_H_

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace ytest {

class TempDir {
 public:
  TempDir() {
    const char* base = std::getenv("YDBCLN_TEST_TMP");
    std::filesystem::path root = base != nullptr && *base != '\0'
                                     ? std::filesystem::path(base)
                                     : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(root);
    std::string pattern = (root / "ydbcln-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    path_ = made != nullptr ? std::filesystem::path(made) : std::filesystem::path();
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  // The directory as the application passes it: with a trailing backslash.
  std::string with_backslash() const { return path_.string() + "\\"; }

 private:
  std::filesystem::path path_;
};

}  // namespace ytest

#endif  // YDB_TESTING_TEMPDIR_H_
