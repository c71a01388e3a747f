// The Qt-free tests run under the locale their environment names, as the
// environment does (Qt adopts the desktop's locale at start-up): CI runs them
// in C and again under fr_FR.UTF-8, where printf and strtod use a comma.
#include <clocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
