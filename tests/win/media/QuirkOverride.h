#pragma once
// Runs part of a test on the path another platform takes, by replacing one
// answer of media/PlatformQuirks for the life of the object.
#include "media/PlatformQuirks.h"

namespace zvtest {

class QuirkOverride {
 public:
  using Answer = bool zv::quirks_detail::Answers::*;
  QuirkOverride(Answer answer, bool value) : answer_(answer), saved_(zv::quirks_detail::g_answers.*answer) {
    zv::quirks_detail::g_answers.*answer_ = value;
  }
  ~QuirkOverride() { zv::quirks_detail::g_answers.*answer_ = saved_; }
  QuirkOverride(const QuirkOverride&) = delete;
  QuirkOverride& operator=(const QuirkOverride&) = delete;

 private:
  Answer answer_;
  bool saved_;
};

}  // namespace zvtest
