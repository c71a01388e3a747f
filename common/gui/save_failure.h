// Why a file could not be written, in the learner's words, from the system's
// error number that a checked save (common/file_save.h) returns.
#pragma once

#include <QString>

namespace orv {

QString SaveFailureText(int error);

}  // namespace orv
