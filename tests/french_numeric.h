// The C library's numeric locale switched to French (a decimal comma in
// printf and strtod) for the life of a test, as on a learner's desktop where
// Qt has adopted the desktop's locale.
#pragma once

#include <clocale>
#include <string>

namespace orv::test {

class FrenchNumericLocale {
 public:
  FrenchNumericLocale() : before_(std::setlocale(LC_NUMERIC, nullptr)) {
    // Linux's name, then Windows's.
    active_ = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr ||
              std::setlocale(LC_NUMERIC, "French_France.1252") != nullptr;
  }
  ~FrenchNumericLocale() { std::setlocale(LC_NUMERIC, before_.c_str()); }
  FrenchNumericLocale(const FrenchNumericLocale&) = delete;
  FrenchNumericLocale& operator=(const FrenchNumericLocale&) = delete;
  // False when the machine lacks the locale (scripts/deps generates it).
  bool Active() const { return active_; }

 private:
  std::string before_;
  bool active_ = false;
};

}  // namespace orv::test
