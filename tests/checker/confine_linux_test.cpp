// How the Linux side of the confinement reads a child's end, removes its
// folder and cleans its environment.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "runner/confine.h"

namespace orv {
namespace {

struct LimitCase {
  const char* name;
  bool signaled;
  int code;  // the exit status or the signal
  bool timedOut, outputFull;
  confine::Limit limit;
};
std::ostream& operator<<(std::ostream& out, const LimitCase& c) { return out << c.name; }

class LimitReachedTest : public testing::TestWithParam<LimitCase> {};
TEST_P(LimitReachedTest, NamesTheLimitThatEndedTheChild) {
  const LimitCase& c = GetParam();
  const confine::Ended ended{1, c.signaled, c.code, c.timedOut ? confine::Limit::Time : confine::Limit::None};
  EXPECT_EQ(confine::LimitReached(ended, c.outputFull), c.limit);
}
INSTANTIATE_TEST_SUITE_P(
    Confine, LimitReachedTest,
    testing::Values(LimitCase{"CpuSignal", true, SIGXCPU, false, false, confine::Limit::Time},
                    LimitCase{"ItsOwnAlarm", true, SIGALRM, false, false, confine::Limit::Time},
                    LimitCase{"KilledOnTheWallClock", true, SIGKILL, true, false, confine::Limit::Time},
                    LimitCase{"KilledByAnother", true, SIGKILL, false, false, confine::Limit::None},
                    LimitCase{"FileTooBigInItsFolder", true, SIGXFSZ, false, false, confine::Limit::Disk},
                    LimitCase{"OutputFileTooBig", true, SIGXFSZ, false, true, confine::Limit::Output},
                    LimitCase{"DiskBudget", false, confine::kDiskStatus, false, false, confine::Limit::Disk},
                    LimitCase{"Memory", false, confine::kMemoryStatus, false, false, confine::Limit::Memory},
                    LimitCase{"Stopped", false, 1, false, true, confine::Limit::None},
                    LimitCase{"FinishedJustInTime", false, 0, true, false, confine::Limit::Time}),
    [](const auto& info) { return std::string(info.param.name); });

// Deeper than a process may hold descriptors open: a tree walk that keeps
// one per level (std::filesystem::remove_all) leaves it behind.
TEST(Confine, RemoveTreeTakesFoldersNestedBeyondTheDescriptorLimit) {
  char pattern[] = "/tmp/orvjava-arbre-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string top = pattern;
  rlimit saved{};
  getrlimit(RLIMIT_NOFILE, &saved);
  rlimit few = saved;
  few.rlim_cur = 64;
  setrlimit(RLIMIT_NOFILE, &few);
  int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY);
  for (int depth = 0; depth < 3000 && fd >= 0; ++depth) {
    mkdirat(fd, "d", 0700);
    if (depth % 100 == 0) close(openat(fd, "f", O_WRONLY | O_CREAT, 0600));
    const int inner = openat(fd, "d", O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = inner;
  }
  ASSERT_GE(fd, 0);
  close(fd);
  EXPECT_TRUE(confine::RemoveTree(top));
  setrlimit(RLIMIT_NOFILE, &saved);
  EXPECT_FALSE(std::filesystem::exists(top));
}

TEST(Confine, WithoutLandlockTheProbeSaysSoWhenTold) {
  ASSERT_EQ(setenv("ORVJAVA_TEST_NO_LANDLOCK", "1", 1), 0);
  EXPECT_FALSE(confine::FolderConfinementAvailable());
  unsetenv("ORVJAVA_TEST_NO_LANDLOCK");
  EXPECT_NE(confine::NoConfinementSentence().find("--unconfined"), std::string::npos);
}

TEST(Confine, TheCleanEnvironmentKeepsLanguageAndDropsHome) {
  setenv("HOME", "/home/prof", 1);
  setenv("LC_NUMERIC", "fr_FR.UTF-8", 1);
  const std::vector<std::string> kept = confine::CleanEnvironment();
  for (const std::string& variable : kept) EXPECT_FALSE(variable.starts_with("HOME=")) << variable;
  EXPECT_NE(std::find(kept.begin(), kept.end(), "LC_NUMERIC=fr_FR.UTF-8"), kept.end());
}

}  // namespace
}  // namespace orv
