// What only Windows does: names as UTF-16 with drive letters and either
// separator, the checked save through MoveFileExW, the wide command line.
// Ctrl+C and the Job object's limits are proven on the whole runner
// (runner_checks).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../interp/fake_host.h"
#include "common/file_save.h"
#include "common/win32_text.h"
#include "runner/confine.h"
#include "runner/platform.h"

namespace fs = std::filesystem;

namespace orv::testing {
namespace {

std::string ReadWide(const std::wstring& name) {
  std::ifstream in(fs::path(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class WindowsFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (L"orv-windows-" + win32::Wide(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    before_ = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(before_);
    fs::remove_all(dir_);
  }
  // The folder as a program spells it, with backslashes: "C:\users\...".
  std::string Folder() const { return win32::Utf8(dir_.wstring()); }
  RunResult Run(const std::string& body, bool fastPath = true) {
    return Session(Program(" static File f;\n static String s;\n", body), fastPath).Run();
  }
  fs::path dir_, before_;
};

// A program's names reach the system as UTF-16: "été.txt" is the file
// Explorer shows, whatever the ANSI code page.
TEST_F(WindowsFolder, AccentedNamesAreUtf16OnDisk) {
  for (const bool fastPath : {true, false}) {
    const RunResult r = Run("  f = new File(\"" + Folder() + "\\\xE9t\xE9.txt\");\n"
                            "  FileOutputStream sortie = new FileOutputStream(f);\n"
                            "  FPUTS(\"\xE0 lire\", f);\n  f.close();\n",
                            fastPath);
    EXPECT_TRUE(r.messages.empty()) << r.messages.front();
    EXPECT_EQ(ReadWide(dir_.wstring() + L"\\\u00E9t\u00E9.txt"), "\xE0 lire\r\n");
  }
}

// Drive letters, backslashes, slashes, ".." and a drive-relative name read
// the same file; folders are made, entered and removed by such names.
TEST_F(WindowsFolder, PathsAsAWindowsUserWritesThem) {
  std::ofstream(dir_ / L"notes.txt", std::ios::binary) << "trouv\xE9\r\n";
  const std::string folder = Folder();
  const std::string drive = folder.substr(0, 2);  // "C:"
  const struct { const char* what; std::string name; } names[] = {
      {"backslashes", folder + "\\notes.txt"},
      {"slashes", win32::Utf8(fs::path(dir_).generic_wstring()) + "/notes.txt"},
      {"dot-dot", "..\\notes.txt"},
      {"drive-relative", drive + "notes.txt"},
  };
  for (const auto& n : names) {
    fs::current_path(dir_);
    if (std::string(n.what) == "dot-dot") fs::create_directory(dir_ / "sous"), fs::current_path(dir_ / "sous");
    const RunResult r = Run("  f = new File(\"" + n.name + "\");\n"
                            "  FileInputStream entree = new FileInputStream(f);\n  FGETS(f, s);\n  f.close();\n"
                            "  System.out.println(s);\n");
    EXPECT_EQ(r.out, "trouv\xE9\n") << n.what << ": " << n.name;
    EXPECT_TRUE(r.messages.empty()) << n.what << ": " << r.messages.front();
  }
  fs::current_path(dir_);
  const RunResult r = Run("  s = \"" + folder + "\\d\xE9j\xE0\";\n  s.mkdir();\n  CHDIR s;\n"
                          "  f = new File(\"..\\d\xE9j\xE0\\ici.txt\");\n"
                          "  FileOutputStream sortie = new FileOutputStream(f);\n  f.close();\n"
                          "  f.delete();\n  CHDIR \"..\";\n  RMDIR \"d\xE9j\xE0\";\n");
  EXPECT_TRUE(r.messages.empty()) << r.messages.front();
  EXPECT_FALSE(fs::exists(dir_ / L"d\u00E9j\u00E0"));
  // A folder is no text file, here too.
  EXPECT_EQ(Run("  f = new File(\"" + folder + "\");\n  FileInputStream entree = new FileInputStream(f);\n").messages,
            std::vector<std::string>{"Erreur Entrée/Sortie"});
}

long FailingWrite(int, const void*, unsigned long) { return errno = ENOSPC, -1; }
int FailingFlush(int) { return errno = EIO, -1; }
int FailingRename(const char*, const char*) { return errno = EACCES, -1; }

TEST_F(WindowsFolder, TheSaveReplacesWholeOrNotAtAll) {
  const std::string path = Folder() + "\\\u00E9l\u00E8ve.java";
  ASSERT_EQ(SaveFileAtomically(path, "premier"), 0);
  EXPECT_EQ(ReadWide(dir_.wstring() + L"\\\u00E9l\u00E8ve.java"), "premier");
  const DiskStamp first = StampOf(path);
  EXPECT_TRUE(first.exists);
  ASSERT_EQ(SaveFileAtomically(path, "second, plus long"), 0);
  EXPECT_EQ(ReadWide(dir_.wstring() + L"\\\u00E9l\u00E8ve.java"), "second, plus long");
  EXPECT_NE(StampOf(path), first);

  const SaveCalls& system = SystemSaveCalls();
  const struct { const char* step; SaveCalls calls; int error; } failures[] = {
      {"write", {FailingWrite, system.fsync, system.close, system.rename}, ENOSPC},
      {"flush", {system.write, FailingFlush, system.close, system.rename}, EIO},
      {"rename", {system.write, system.fsync, system.close, FailingRename}, EACCES},
  };
  for (const auto& f : failures) {
    EXPECT_EQ(SaveFileAtomically(path, "perdu", f.calls), f.error) << f.step;
    EXPECT_EQ(ReadWide(dir_.wstring() + L"\\\u00E9l\u00E8ve.java"), "second, plus long") << f.step;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << f.step << ": a temporary file is left";
  }
  EXPECT_EQ(SaveFileAtomically(Folder(), "x"), EISDIR);
}

TEST(WindowsArguments, TheCommandLineComesAsUtf8) {
  const std::vector<std::string> args = platform::Arguments(0, nullptr);
  ASSERT_FALSE(args.empty());
  EXPECT_TRUE(win32::Wide(args[0]).ends_with(L".exe")) << args[0];
}

}  // namespace
}  // namespace orv::testing
