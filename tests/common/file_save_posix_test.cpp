// Where a checked save writes, by the kind of file it is given: a plain file
// is replaced whole, a link keeps pointing at the replaced file, a device or
// a pipe is written into and stays what it is, a folder is refused.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

#include "common/file_save.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class FileSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/orv-save-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }
  // Every name in the folder: a failed save leaves no temporary file.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path folder_;
};

TEST_F(FileSaveTest, EachKindOfTargetIsWrittenWhereItShould) {
  {  // a plain file: replaced, its permissions kept
    const fs::path file = folder_ / "Essai.java";
    std::ofstream(file) << "ancien texte, plus long que le nouveau";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(orv::SaveFileAtomically(file, "nouveau"), 0);
    EXPECT_EQ(Read(file), "nouveau");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  }
  {  // a link: still a link, the file it names replaced
    const fs::path link = folder_ / "lien.java";
    fs::create_symlink("Essai.java", link);
    EXPECT_EQ(orv::SaveFileAtomically(link, "par le lien"), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(folder_ / "Essai.java"), "par le lien");
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"Essai.java", "lien.java"}));

  // A folder, and a folder that is not there.
  EXPECT_EQ(orv::SaveFileAtomically(folder_, "x"), EISDIR);
  EXPECT_EQ(orv::SaveFileAtomically(folder_ / "absent" / "x.txt", "x"), ENOENT);

  // Devices: written into, never replaced by a plain file (even for root).
  EXPECT_EQ(orv::SaveFileAtomically("/dev/null", "rien"), 0);
  EXPECT_EQ(orv::SaveFileAtomically("/dev/full", "plein"), ENOSPC);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));

  // A pipe nobody reads: refused at once rather than waiting for a reader.
  const fs::path pipe = folder_ / "tube";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(orv::SaveFileAtomically(pipe, "x"), ENXIO);
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Essai.java", "lien.java", "tube"}));
}

}  // namespace
